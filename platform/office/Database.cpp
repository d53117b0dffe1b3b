// Database files read through mdbtools: the connection opens the file, a record set runs a query
// through the mdbtools SQL engine and keeps every record it returns.
#include "platform/office/Database.h"

#include <mdbsql.h>

struct TDbConnectionImpl {
  String FileName;
  bool Open = false;
};

namespace {

// The value of a key of a connection string ("" when missing); keys compare without case.
String ConnectionValue(const String& S, const String& Key) {
  size_t I = 0;
  while (I < S.size()) {
    const size_t Eq = S.find(u'=', I);
    if (Eq == String::npos) break;
    String K = Trim(S.substr(I, Eq - I));
    String V;
    size_t J = Eq + 1;
    while (J < S.size() && S[J] == u' ') ++J;
    if (J < S.size() && S[J] == u'{') {
      const size_t Close = S.find(u'}', J + 1);
      V = S.substr(J + 1, (Close == String::npos ? S.size() : Close) - J - 1);
      J = Close == String::npos ? S.size() : Close + 1;
      const size_t Semi = S.find(u';', J);
      J = Semi == String::npos ? S.size() : Semi + 1;
    } else {
      const size_t Semi = S.find(u';', J);
      V = Trim(S.substr(J, (Semi == String::npos ? S.size() : Semi) - J));
      J = Semi == String::npos ? S.size() : Semi + 1;
    }
    if (SameText(K, Key)) return V;
    I = J;
  }
  return String();
}

struct TSql {
  MdbSQL* S = mdb_sql_init();
  ~TSql() {
    if (!S) return;
    mdb_sql_reset(S);
    mdb_sql_exit(S);
  }
};

// Runs Query on an open handle and collects the field names and the records.
void RunQuery(TSql& Sql, const String& Query, std::vector<String>& Names, std::vector<std::vector<std::string>>& Records) {
  const std::string Q = StringToUtf8(Query);
  if (!mdb_sql_run_query(Sql.S, Q.c_str()) || mdb_sql_has_error(Sql.S) || !Sql.S->cur_table) {
    const String Why = mdb_sql_has_error(Sql.S) ? Utf8ToString(mdb_sql_last_error(Sql.S)) : String(u"no result");
    throw EOleException(u"The query \"" + Query + u"\" failed: " + Why);
  }
  Names.clear();
  Records.clear();
  for (unsigned int I = 0; I < Sql.S->num_columns; ++I) {
    auto* Col = static_cast<MdbSQLColumn*>(g_ptr_array_index(Sql.S->columns, I));
    Names.push_back(Utf8ToString(Col && Col->name ? Col->name : ""));
  }
  while (mdb_sql_fetch_row(Sql.S, Sql.S->cur_table)) {
    std::vector<std::string> Row;
    for (unsigned int I = 0; I < Sql.S->num_columns; ++I) {
      const char* V = static_cast<const char*>(g_ptr_array_index(Sql.S->bound_values, I));
      Row.emplace_back(V ? V : "");
    }
    Records.push_back(std::move(Row));
  }
}

}  // namespace

TDbConnection::TDbConnection() : FImpl(std::make_unique<TDbConnectionImpl>()) {}
TDbConnection::~TDbConnection() = default;

std::unique_ptr<TDbConnection> TDbConnection::Create() {
  CheckOleServer(ProgIdDbConnection);
  return std::unique_ptr<TDbConnection>(new TDbConnection());
}

void TDbConnection::Open(const String& ConnectionString) {
  const String Driver = ConnectionValue(ConnectionString, u"Driver");
  const String File = ConnectionValue(ConnectionString, u"DBQ");
  if (Pos(u"ACCESS DRIVER", UpperCase(Driver)) == 0)
    throw EOleException(u"Data source name not found and no default driver specified");
  if (File.empty()) throw EOleException(u"The connection names no database file");
  if (!FileExists(File)) throw EOleException(u"The database \"" + File + u"\" could not be found");
  // The file is opened once here to tell a database from any other file.
  MdbHandle* H = mdb_open(StringToUtf8(File).c_str(), MDB_NOFLAGS);
  if (!H) throw EOleException(u"The file \"" + File + u"\" is no database that can be read");
  mdb_close(H);
  FImpl->FileName = File;
  FImpl->Open = true;
}

void TDbConnection::Close() { FImpl->Open = false; }

bool TDbConnection::Connected() const { return FImpl->Open; }

std::unique_ptr<TDbRecordSet> TDbRecordSet::Create() {
  CheckOleServer(ProgIdDbRecordSet);
  return std::unique_ptr<TDbRecordSet>(new TDbRecordSet());
}

void TDbRecordSet::Open(const String& SQL) {
  if (!FConnection || !FConnection->Connected()) throw EOleException(u"The record set has no open connection");
  TSql Sql;
  std::string Name = StringToUtf8(FConnection->Impl().FileName);
  if (!Sql.S || !mdb_sql_open(Sql.S, Name.data()))
    throw EOleException(u"The file \"" + FConnection->Impl().FileName + u"\" is no database that can be read");
  RunQuery(Sql, SQL, FNames, FRecords);
  FCurrent = 0;
}

void TDbRecordSet::Close() {
  FNames.clear();
  FRecords.clear();
  FCurrent = 0;
}

String TDbRecordSet::FieldName(Integer I) const {
  if (I < 0 || I >= FieldCount()) throw EOleException(u"Item cannot be found in the collection");
  return FNames[static_cast<size_t>(I)];
}

TDbField TDbRecordSet::Fields(Integer I) const {
  if (I < 0 || I >= FieldCount()) throw EOleException(u"Item cannot be found in the collection");
  if (Eof()) throw EOleException(u"Either BOF or EOF is True, or the current record has been deleted");
  TDbField F;
  F.Name = FNames[static_cast<size_t>(I)];
  F.Value = Utf8ToString(FRecords[FCurrent][static_cast<size_t>(I)]);
  F.ActualSize = static_cast<Integer>(FRecords[FCurrent][static_cast<size_t>(I)].size());
  return F;
}

void TDbRecordSet::MoveNext() {
  if (Eof()) throw EOleException(u"Either BOF or EOF is True, or the current record has been deleted");
  ++FCurrent;
}

namespace office {

void QueryDatabaseBytes(const std::string& Bytes, const String& SQL, std::vector<String>& Names,
                        std::vector<std::vector<std::string>>& Records) {
  std::string Copy = Bytes;
  MdbHandle* H = mdb_open_buffer(Copy.data(), Copy.size(), MDB_NOFLAGS);
  if (!H) throw EOleException(u"no database");
  TSql Sql;
  Sql.S->mdb = H;
  if (!mdb_read_catalog(H, MDB_TABLE)) throw EOleException(u"no database");
  RunQuery(Sql, SQL, Names, Records);
}

}  // namespace office
