// Exceptions, conversions, formatting, files and folders, dates and times.
#pragma once

#include <exception>
#include <string>

#include "platform/rtl/System.h"

// The root of the exception family. Message() is the text the user sees.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)), FUtf8(StringToUtf8(FMessage)) {}
  const String& Message() const { return FMessage; }
  void SetMessage(const String& message) {
    FMessage = message;
    FUtf8 = StringToUtf8(FMessage);
  }
  const char* what() const noexcept override { return FUtf8.c_str(); }
  virtual String ClassName() const { return u"Exception"; }

 private:
  String FMessage;
  std::string FUtf8;
};

#define KP_DECLARE_EXCEPTION(Name, Base)                        \
  class Name : public Base {                                    \
   public:                                                      \
    using Base::Base;                                           \
    String ClassName() const override { return u## #Name; }     \
  };

KP_DECLARE_EXCEPTION(EConvertError, Exception)
KP_DECLARE_EXCEPTION(EListError, Exception)
KP_DECLARE_EXCEPTION(EStringListError, Exception)
KP_DECLARE_EXCEPTION(EInOutError, Exception)
KP_DECLARE_EXCEPTION(EStreamError, Exception)
KP_DECLARE_EXCEPTION(EFOpenError, EStreamError)
KP_DECLARE_EXCEPTION(EFCreateError, EStreamError)
KP_DECLARE_EXCEPTION(EReadError, EStreamError)
KP_DECLARE_EXCEPTION(EWriteError, EStreamError)
KP_DECLARE_EXCEPTION(EInvalidCast, Exception)
KP_DECLARE_EXCEPTION(EInvalidOperation, Exception)
KP_DECLARE_EXCEPTION(EAssertionFailed, Exception)
KP_DECLARE_EXCEPTION(EOSError, Exception)
