// The database objects of the automation layer: a connection to a database file and a record set
// holding the result of a query on it. Database files are those of the desktop database program
// (.mdb / .accdb), read through mdbtools; its SQL dialect is the one mdbtools understands (SELECT
// with column lists, WHERE conditions and LIMIT on one table), less the conditions it cannot test
// rightly, which are refused.
#pragma once

#include <memory>
#include <vector>

#include "platform/office/OleAuto.h"

struct TDbConnectionImpl;

class TDbConnection {
 public:
  // A new connection object; EOleSysError when the server is not available.
  static std::unique_ptr<TDbConnection> Create();
  ~TDbConnection();
  // Opens the database a connection string names: "Driver={Microsoft Access Driver (*.mdb)};DBQ=
  // <file>" (keys without case, values in braces may hold ";"). EOleException for another driver,
  // a missing DBQ, or a file that is no database that can be read.
  void Open(const String& ConnectionString);
  void Close();
  bool Connected() const;
  TDbConnectionImpl& Impl() { return *FImpl; }

 private:
  TDbConnection();
  std::unique_ptr<TDbConnectionImpl> FImpl;
};

// One field of the current record.
struct TDbField {
  String Name;
  String Value;            // the value as text, empty for a null
  Integer ActualSize = 0;  // the length of the value, 0 for an empty or null value
};

class TDbRecordSet {
 public:
  static std::unique_ptr<TDbRecordSet> Create();
  void SetActiveConnection(TDbConnection* Connection) { FConnection = Connection; }
  // Runs the query on the connection and holds its result, positioned on the first record.
  // EOleException without an open connection, or for a query the database refuses.
  void Open(const String& SQL);
  void Close();
  Integer FieldCount() const { return static_cast<Integer>(FNames.size()); }
  // The name of field I (0-based); EOleException outside the fields.
  String FieldName(Integer I) const;
  // Field I (0-based) of the current record; EOleException outside the fields or past the end.
  TDbField Fields(Integer I) const;
  Integer RecordCount() const { return static_cast<Integer>(FRecords.size()); }
  bool Eof() const { return FCurrent >= FRecords.size(); }
  void MoveNext();

 private:
  TDbRecordSet() = default;
  TDbConnection* FConnection = nullptr;
  std::vector<String> FNames;
  std::vector<std::vector<std::string>> FRecords;  // UTF-8 values
  size_t FCurrent = 0;
};

namespace office {
// Runs a query on a database held in memory (for the fuzz target); EOleException as Open. The
// database is read in a process of its own, as the record set reads a file.
void QueryDatabaseBytes(const std::string& Bytes, const String& SQL, std::vector<String>& Names,
                        std::vector<std::vector<std::string>>& Records);
// The same in this process, so that a fuzzing run sees what mdbtools does with the bytes.
void QueryDatabaseBytesHere(const std::string& Bytes, const String& SQL, std::vector<String>& Names,
                            std::vector<std::vector<std::string>>& Records);
}  // namespace office
