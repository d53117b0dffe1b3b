// Database files read through mdbtools: the connection opens the file, a record set runs a query
// through the mdbtools SQL engine and keeps every record it returns.
#include "platform/office/Database.h"
#include "platform/office/OfficeLibraries.h"

#include <mdbsql.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

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
    // The engine moves a query's conditions to its table and frees them with neither.
    if (S->cur_table && S->cur_table->sarg_tree) {
      mdb_sql_free_tree(S->cur_table->sarg_tree);
      S->cur_table->sarg_tree = nullptr;
    }
    mdb_sql_reset(S);
    mdb_sql_exit(S);
  }
};

// The form dates are read in: complete and independent of the locale, so the value can be taken
// back and shown with the program's own date and time format.
constexpr const char* DateReadFormat = "%Y-%m-%d %H:%M:%S";

void SetDateReadFormat(MdbHandle* H) {
  mdb_set_date_fmt(H, DateReadFormat);
  mdb_set_shortdate_fmt(H, DateReadFormat);
}

String QueryError(const String& Query, const String& Why) { return u"The query \"" + Query + u"\" failed: " + Why; }

String Quoted(const char* S) { return u"\"" + Utf8ToString(S ? S : "") + u"\""; }

// What a field holds, in the words of the desktop database.
String KindName(int Type) {
  switch (Type) {
    case MDB_BOOL: return u"yes/no";
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return u"whole number";
    case MDB_MONEY: return u"currency";
    case MDB_FLOAT:
    case MDB_DOUBLE: return u"number";
    case MDB_DATETIME: return u"date";
    case MDB_BINARY: return u"binary";
    case MDB_TEXT:
    case MDB_MEMO: return u"text";
    case MDB_OLE: return u"OLE object";
    case MDB_REPID: return u"replication ID";
    case MDB_NUMERIC: return u"decimal";
    default: return u"type " + IntToStr(Type);
  }
}

// A date condition's text: yyyy-mm-dd or m/d/yyyy (the order of date literals in queries), each
// with an optional time hh:mm[:ss]. False when it is no such date.
bool ConditionDate(const char* S, TDateTime& Value) {
  int Y = 0, M = 0, D = 0, H = 0, N = 0, Sec = 0, Used = 0;
  auto TimePart = [&](const char* T) {
    int Got = 0;
    if (*T == 0) return true;
    if (std::sscanf(T, " %d:%d%n", &H, &N, &Got) == 2 && T[Got] == 0) return true;
    return std::sscanf(T, " %d:%d:%d%n", &H, &N, &Sec, &Got) == 3 && T[Got] == 0;
  };
  bool Ok = (std::sscanf(S, "%4d-%2d-%2d%n", &Y, &M, &D, &Used) == 3 ||
             std::sscanf(S, "%2d/%2d/%4d%n", &M, &D, &Y, &Used) == 3) &&
            (S[Used] == 0 || S[Used] == ' ') && TimePart(S + Used);
  TDateTime Day, Time;
  if (!Ok || Y < 100 || !TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Day) ||
      H < 0 || N < 0 || Sec < 0 ||
      !TryEncodeTime(static_cast<Word>(H), static_cast<Word>(N), static_cast<Word>(Sec), 0, Time))
    return false;
  Value = Day + Time;
  return true;
}

bool IsOrdering(int Op) {
  return Op == MDB_EQUAL || Op == MDB_NEQ || Op == MDB_GT || Op == MDB_LT || Op == MDB_GTEQ || Op == MDB_LTEQ;
}

// The SQL engine of mdbtools parses more conditions than it can test: a condition on a field of a
// type it has no comparison for holds for every record, IS [NOT] NULL and LIKE on a number hold for
// none, a fraction compared with a whole number is cut to a whole number, a text compared with a
// date or a number is taken for a number, and a field the table does not have makes its condition
// hold for every record. Such a condition is refused with its reason (empty when every condition
// can be tested). Two are mended in place: a date given as text is turned into the date's number,
// and a yes/no field compared with -1 (the desktop database's Yes) is compared with the engine's 1.
String ConditionProblem(MdbSargNode* Node, const MdbTableDef* Table) {
  if (!Node) return String();
  if (Node->op == MDB_AND || Node->op == MDB_OR || Node->op == MDB_NOT) {
    String Why = ConditionProblem(Node->left, Table);
    return Why.empty() ? ConditionProblem(Node->right, Table) : Why;
  }
  MdbColumn* Col = Node->col;
  if (!Col) {
    // A comparison of two constants was decided when parsed; a field name is kept in "parent".
    if (Node->parent)
      return u"the table " + Quoted(Table->name) + u" has no field " + Quoted(static_cast<const char*>(Node->parent));
    return String();
  }
  const String Field = u"the " + KindName(Col->col_type) + u" field " + Quoted(Col->name);
  if (Node->op == MDB_ISNULL || Node->op == MDB_NOTNULL)
    return u"a test for an empty value (IS NULL, IS NOT NULL) on " + Field + u" cannot be evaluated";
  const bool Text = Node->val_type == MDB_TEXT;
  const bool Number = Node->val_type == MDB_INT || Node->val_type == MDB_DOUBLE;
  switch (Col->col_type) {
    case MDB_BOOL: {
      if (Node->op != MDB_EQUAL && Node->op != MDB_NEQ) return Field + u" can only be compared with = or <>";
      if (Node->val_type != MDB_INT || Node->value.i < -1 || Node->value.i > 1)
        return Field + u" is compared with something other than 0 (No) or -1 (Yes)";
      if (Node->value.i == -1) Node->value.i = 1;
      return String();
    }
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
      if (!IsOrdering(Node->op)) return Field + u" can only be compared with =, <>, <, >, <= or >=";
      if (!Number) return Field + u" is compared with a text";
      if (Node->val_type == MDB_DOUBLE &&
          !(Node->value.d >= -2147483648.0 && Node->value.d <= 2147483647.0 && Node->value.d == std::trunc(Node->value.d)))
        return Field + u" is compared with a fraction or a number out of its range";
      return String();
    case MDB_FLOAT:
    case MDB_DOUBLE:
      if (!IsOrdering(Node->op)) return Field + u" can only be compared with =, <>, <, >, <= or >=";
      if (!Number) return Field + u" is compared with a text";
      return String();
    case MDB_DATETIME:
      if (!IsOrdering(Node->op)) return Field + u" can only be compared with =, <>, <, >, <= or >=";
      if (Text) {
        TDateTime When;
        if (!ConditionDate(Node->value.s, When))
          return Field + u" is compared with " + Quoted(Node->value.s) +
                 u", which is no date (yyyy-mm-dd or m/d/yyyy, with hh:mm[:ss] or without)";
        Node->val_type = MDB_DOUBLE;
        Node->value.d = When;
        return String();
      }
      if (!Number) return Field + u" is compared with something that is no date";
      if (Node->val_type == MDB_INT) {
        Node->val_type = MDB_DOUBLE;
        Node->value.d = Node->value.i;
      }
      return String();
    case MDB_TEXT:
    case MDB_MEMO:
      if (!IsOrdering(Node->op) && Node->op != MDB_LIKE && Node->op != MDB_ILIKE)
        return Field + u" can only be compared with =, <>, <, >, <=, >= or LIKE";
      if (!Text) return Field + u" is compared with a number";
      return String();
    default:
      return u"conditions on " + Field + u" cannot be evaluated";
  }
}

// The column of the table (or of the engine's result table) a result column stands for.
MdbColumn* TableColumn(MdbTableDef* Table, const char* Name) {
  if (!Table || !Table->columns || !Name) return nullptr;
  for (unsigned int I = 0; I < Table->num_cols; ++I) {
    auto* Col = static_cast<MdbColumn*>(g_ptr_array_index(Table->columns, I));
    if (Col && g_ascii_strcasecmp(Col->name, Name) == 0) return Col;
  }
  return nullptr;
}

// A value as the record set gives it: a yes/no as True or False, a date in the program's date and
// time format; any other value as mdbtools writes it.
std::string ValueText(const MdbColumn* Col, const char* V) {
  if (!V) return std::string();
  if (Col && Col->col_type == MDB_BOOL) return std::strcmp(V, "0") == 0 ? "False" : "True";
  if (Col && Col->col_type == MDB_DATETIME && *V) {
    int Y = 0, M = 0, D = 0, H = 0, N = 0, S = 0, Used = 0;
    TDateTime Day, Time;
    if (std::sscanf(V, "%d-%d-%d %d:%d:%d%n", &Y, &M, &D, &H, &N, &S, &Used) == 6 && V[Used] == 0 && Y > 0 &&
        Y <= 9999 && M > 0 && D > 0 && H >= 0 && N >= 0 && S >= 0 &&
        TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Day) &&
        TryEncodeTime(static_cast<Word>(H), static_cast<Word>(N), static_cast<Word>(S), 0, Time))
      return StringToUtf8(DateTimeToStr(Day + Time));
  }
  return V;
}

// The words of a query: names (bare, in brackets, quotes or back quotes) and single signs.
std::vector<std::string> QueryWords(const std::string& Q) {
  std::vector<std::string> Words;
  size_t I = 0;
  while (I < Q.size()) {
    const unsigned char C = static_cast<unsigned char>(Q[I]);
    if (std::isspace(C)) {
      ++I;
    } else if (C == '[' || C == '"' || C == '`') {
      const char End = C == '[' ? ']' : static_cast<char>(C);
      const size_t Close = Q.find(End, I + 1);
      Words.push_back(Q.substr(I + 1, (Close == std::string::npos ? Q.size() : Close) - I - 1));
      I = Close == std::string::npos ? Q.size() : Close + 1;
    } else if (std::isalnum(C) || C == '_' || C >= 0x80) {
      size_t J = I;
      while (J < Q.size() && (std::isalnum(static_cast<unsigned char>(Q[J])) || Q[J] == '_' ||
                              static_cast<unsigned char>(Q[J]) >= 0x80))
        ++J;
      Words.push_back(Q.substr(I, J - I));
      I = J;
    } else {
      Words.push_back(std::string(1, static_cast<char>(C)));
      ++I;
    }
  }
  return Words;
}

// Why the engine refused a query. It reports the reason only on the standard error, so the query's
// table and its list of fields are looked up here; any other refusal is a query it does not read.
String RefusalReason(MdbHandle* Mdb, const std::string& Q) {
  const String Syntax = u"the database reads only queries of the form SELECT fields FROM table [WHERE "
                        u"conditions] [LIMIT count]";
  const std::vector<std::string> W = QueryWords(Q);
  if (W.empty() || g_ascii_strcasecmp(W[0].c_str(), "SELECT") != 0 || !Mdb) return Syntax;
  size_t From = 1;
  while (From < W.size() && g_ascii_strcasecmp(W[From].c_str(), "FROM") != 0) ++From;
  if (From + 1 >= W.size()) return Syntax;
  const std::string& Name = W[From + 1];
  if (!mdb_read_catalog(Mdb, MDB_TABLE) || !mdb_get_catalogentry_by_name(Mdb, Name.c_str()))
    return u"the database has no table " + Quoted(Name.c_str());
  // A plain list of names: each must be a field of the table.
  std::vector<std::string> Fields;
  for (size_t I = 1; I < From; I += 2) {
    if (I + 1 < From && W[I + 1] != ",") return Syntax;
    Fields.push_back(W[I]);
  }
  MdbTableDef* Table = mdb_read_table_by_name(Mdb, const_cast<gchar*>(Name.c_str()), MDB_TABLE);
  if (!Table) return Syntax;
  String Why = Syntax;
  if (mdb_read_columns(Table))
    for (const std::string& F : Fields)
      if (F != "*" && !TableColumn(Table, F.c_str())) {
        Why = u"the table " + Quoted(Table->name) + u" has no field " + Quoted(F.c_str());
        break;
      }
  mdb_free_tabledef(Table);
  return Why;
}

// Runs Query on an open handle and collects the field names and the records.
void RunQuery(TSql& Sql, const String& Query, std::vector<String>& Names, std::vector<std::vector<std::string>>& Records) {
  const std::string Q = StringToUtf8(Query);
  SetDateReadFormat(Sql.S->mdb);
  if (!mdb_sql_run_query(Sql.S, Q.c_str()) || mdb_sql_has_error(Sql.S) || !Sql.S->cur_table)
    throw EOleException(QueryError(Query, RefusalReason(Sql.S->mdb, Q)));
  const String Why = ConditionProblem(Sql.S->cur_table->sarg_tree, Sql.S->cur_table);
  if (!Why.empty()) throw EOleException(QueryError(Query, Why));
  Names.clear();
  Records.clear();
  std::vector<const MdbColumn*> Columns;
  for (unsigned int I = 0; I < Sql.S->num_columns; ++I) {
    auto* Col = static_cast<MdbSQLColumn*>(g_ptr_array_index(Sql.S->columns, I));
    const MdbColumn* Field = TableColumn(Sql.S->cur_table, Col ? Col->name : nullptr);
    Columns.push_back(Field);
    // The field's name as the table spells it, whatever the query's spelling.
    Names.push_back(Utf8ToString(Field ? Field->name : Col && Col->name ? Col->name : ""));
  }
  while (mdb_sql_fetch_row(Sql.S, Sql.S->cur_table)) {
    std::vector<std::string> Row;
    for (unsigned int I = 0; I < Sql.S->num_columns; ++I)
      Row.push_back(ValueText(Columns[I], static_cast<const char*>(g_ptr_array_index(Sql.S->bound_values, I))));
    Records.push_back(std::move(Row));
  }
}

// The property records of one catalog entry (the "KKD" / "MR2" blob of MSysObjects.LvProp), walked
// as mdbtools walks them. mdbtools trusts every length in them: a record of length 0 keeps it in
// the same place for ever (growing its memory), a length past the end reads outside the blob.
// False when a length does not fit.
bool PropertyRecordsSound(const unsigned char* B, size_t Len) {
  auto U16 = [B](size_t At) { return static_cast<size_t>(B[At] | B[At + 1] << 8); };
  auto U32 = [B](size_t At) {
    return static_cast<size_t>(B[At] | B[At + 1] << 8 | B[At + 2] << 16 | static_cast<uint32_t>(B[At + 3]) << 24);
  };
  if (Len < 4 || (std::memcmp(B, "KKD", 4) != 0 && std::memcmp(B, "MR2", 4) != 0)) return true;  // not read
  size_t Pos = 4;
  while (Pos < Len) {
    if (Len - Pos < 6) return false;
    const size_t Rec = U32(Pos), Type = U16(Pos + 4);
    if (Rec < 6 || Rec > Len - Pos) return false;
    const size_t Block = Pos + 6, BlockLen = Rec - 6;
    if (Type <= 2) {
      // A block of values: a name of its own, then records of (length, flags, type, name index, data).
      if (BlockLen < 6) return false;
      size_t P = 6 + U16(Block + 4);
      if (P > BlockLen) return false;
      while (P < BlockLen) {
        if (BlockLen - P < 8) return false;
        const size_t R = U16(Block + P);
        if (R == 0) return false;
        P += R;
      }
    } else if (Type == 0x80) {
      // The names: each a length and its bytes.
      size_t P = 0;
      while (P < BlockLen) {
        if (BlockLen - P < 2 || U16(Block + P) > BlockLen - P - 2) return false;
        P += 2 + U16(Block + P);
      }
    }
    Pos += Rec;
  }
  return true;
}

// Whether every catalog entry's property records can be read: mdbtools reads them when it reads
// the catalog and does not survive some broken ones. The catalog table is read the way mdbtools
// reads it; a file whose catalog cannot be read at all fails later with its own message.
bool PropertiesSound(MdbHandle* H) {
  MdbCatalogEntry Entry;
  std::memset(&Entry, 0, sizeof Entry);
  Entry.mdb = H;
  Entry.object_type = MDB_TABLE;
  Entry.table_pg = 2;
  std::strcpy(Entry.object_name, "MSysObjects");
  MdbTableDef* Table = mdb_read_table(&Entry);
  if (!Table) return true;
  bool Sound = true;
  if (mdb_read_columns(Table)) {
    std::vector<char> Bound(H->bind_size ? H->bind_size : MDB_BIND_SIZE);
    int Length = 0;
    const int Col = mdb_bind_column_by_name(Table, const_cast<gchar*>("LvProp"), Bound.data(), &Length);
    if (Col > 0) {
      auto* Props = static_cast<MdbColumn*>(g_ptr_array_index(Table->columns, static_cast<guint>(Col - 1)));
      mdb_rewind_table(Table);
      while (Sound && mdb_fetch_row(Table)) {
        if (!Length) continue;
        size_t Size = 0;
        void* Blob = mdb_ole_read_full(H, Props, &Size);
        if (!Blob) continue;
        Sound = PropertyRecordsSound(static_cast<const unsigned char*>(Blob), Size);
        std::free(Blob);
      }
    }
  }
  mdb_free_tabledef(Table);
  return Sound;
}

// Takes an opened handle (nullptr when it could not be opened) into Sql and reads its catalog.
void TakeDatabase(TSql& Sql, MdbHandle* H, const String& NoDatabase) {
  if (!H) throw EOleException(NoDatabase);
  if (!Sql.S) {
    mdb_close(H);
    throw EOleException(NoDatabase);
  }
  Sql.S->mdb = H;
  if (!PropertiesSound(H)) throw EOleException(NoDatabase + u": its catalog is damaged");
  if (!mdb_read_catalog(H, MDB_TABLE)) throw EOleException(NoDatabase);
}

String NoDatabaseFile(const String& File) { return u"The file \"" + File + u"\" is no database that can be read"; }

// A query's result in bytes, to pass it from the reading process: lengths and texts.
void PutText(std::string& Out, const std::string& S) {
  const uint32_t N = static_cast<uint32_t>(S.size());
  Out.append(reinterpret_cast<const char*>(&N), sizeof N);
  Out += S;
}

bool GetText(const std::string& In, size_t& At, std::string& S) {
  uint32_t N = 0;
  if (In.size() - At < sizeof N) return false;
  std::memcpy(&N, In.data() + At, sizeof N);
  At += sizeof N;
  if (In.size() - At < N) return false;
  S.assign(In, At, N);
  At += N;
  return true;
}

std::string PackResult(const std::vector<String>& Names, const std::vector<std::vector<std::string>>& Records) {
  std::string Out;
  PutText(Out, std::to_string(Names.size()));
  for (const String& N : Names) PutText(Out, StringToUtf8(N));
  PutText(Out, std::to_string(Records.size()));
  for (const auto& R : Records)
    for (const std::string& V : R) PutText(Out, V);
  return Out;
}

bool UnpackResult(const std::string& In, std::vector<String>& Names, std::vector<std::vector<std::string>>& Records) {
  size_t At = 0;
  std::string S;
  if (!GetText(In, At, S)) return false;
  const size_t Fields = std::strtoul(S.c_str(), nullptr, 10);
  std::vector<String> N;
  for (size_t I = 0; I < Fields; ++I) {
    if (!GetText(In, At, S)) return false;
    N.push_back(Utf8ToString(S));
  }
  if (!GetText(In, At, S)) return false;
  const size_t Count = std::strtoul(S.c_str(), nullptr, 10);
  std::vector<std::vector<std::string>> R;
  for (size_t I = 0; I < Count; ++I) {
    std::vector<std::string> Row(Fields);
    for (std::string& V : Row)
      if (!GetText(In, At, V)) return false;
    R.push_back(std::move(Row));
  }
  if (At != In.size()) return false;
  Names = std::move(N);
  Records = std::move(R);
  return true;
}

// The processor time a reading process may take before it is stopped.
constexpr rlim_t ReaderCpuSeconds = 120;

// Runs Work in a process of its own and returns what it returns. mdbtools reads a database file
// without checking it: a damaged file can make it crash or loop, which must not take the program
// with it. Work's EOleException comes back as it was raised; a process that dies or runs past its
// processor time raises EOleException with Failed.
std::string RunApart(const std::function<std::string()>& Work, const String& Failed) {
  const std::string NoLibrary = Load_Database_Library();
  if (!NoLibrary.empty()) throw EOleException(Failed + u": " + Utf8ToString(NoLibrary));
  int Fd[2];
  if (pipe(Fd) != 0) throw EOleException(Failed + u": the database reader could not be started");
  std::fflush(nullptr);
  const pid_t Pid = fork();
  if (Pid < 0) {
    close(Fd[0]);
    close(Fd[1]);
    throw EOleException(Failed + u": the database reader could not be started");
  }
  if (Pid == 0) {
    close(Fd[0]);
    const rlimit Cpu{ReaderCpuSeconds, ReaderCpuSeconds + 5};
    setrlimit(RLIMIT_CPU, &Cpu);
    std::string Out;
    try {
      Out = "R" + Work();
    } catch (const Exception& E) {
      Out = "E" + StringToUtf8(E.Message());
    } catch (...) {
      Out.clear();
    }
    size_t Done = 0;
    while (Done < Out.size()) {
      const ssize_t N = write(Fd[1], Out.data() + Done, Out.size() - Done);
      if (N < 0 && errno == EINTR) continue;
      if (N <= 0) break;
      Done += static_cast<size_t>(N);
    }
    close(Fd[1]);
    _exit(0);
  }
  close(Fd[1]);
  std::string In;
  char Buf[65536];
  for (;;) {
    const ssize_t N = read(Fd[0], Buf, sizeof Buf);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;
    In.append(Buf, static_cast<size_t>(N));
  }
  close(Fd[0]);
  int Status = 0;
  while (waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(Status) && WEXITSTATUS(Status) == 0 && !In.empty()) {
    if (In[0] == 'R') return In.substr(1);
    if (In[0] == 'E') throw EOleException(Utf8ToString(In.substr(1)));
  }
  throw EOleException(Failed + u": the database reader stopped on it (the file is damaged or of a kind it cannot read)");
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
  RunApart(
      [&File] {
        TSql Sql;
        TakeDatabase(Sql, mdb_open(StringToUtf8(File).c_str(), MDB_NOFLAGS), NoDatabaseFile(File));
        return std::string();
      },
      NoDatabaseFile(File));
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
  const String File = FConnection->Impl().FileName;
  const std::string Result = RunApart(
      [&File, &SQL] {
        TSql Sql;
        TakeDatabase(Sql, mdb_open(StringToUtf8(File).c_str(), MDB_NOFLAGS), NoDatabaseFile(File));
        std::vector<String> Names;
        std::vector<std::vector<std::string>> Records;
        RunQuery(Sql, SQL, Names, Records);
        return PackResult(Names, Records);
      },
      u"The query \"" + SQL + u"\" failed on the file \"" + File + u"\"");
  std::vector<String> Names;
  std::vector<std::vector<std::string>> Records;
  if (!UnpackResult(Result, Names, Records))
    throw EOleException(u"The query \"" + SQL + u"\" failed: its result did not arrive whole");
  FNames = std::move(Names);
  FRecords = std::move(Records);
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

void QueryDatabaseBytesHere(const std::string& Bytes, const String& SQL, std::vector<String>& Names,
                            std::vector<std::vector<std::string>>& Records) {
  std::string Copy = Bytes;
  TSql Sql;
  TakeDatabase(Sql, mdb_open_buffer(Copy.data(), Copy.size(), MDB_NOFLAGS), u"no database");
  RunQuery(Sql, SQL, Names, Records);
}

void QueryDatabaseBytes(const std::string& Bytes, const String& SQL, std::vector<String>& Names,
                        std::vector<std::vector<std::string>>& Records) {
  const std::string Result = RunApart(
      [&] {
        std::vector<String> N;
        std::vector<std::vector<std::string>> R;
        QueryDatabaseBytesHere(Bytes, SQL, N, R);
        return PackResult(N, R);
      },
      u"no database");
  if (!UnpackResult(Result, Names, Records)) throw EOleException(u"no database");
}

}  // namespace office
