// The office formats' libraries (libzip, FreeXL, mdbtools) are loaded when a file of their kind is
// first read or written, not when the program starts: most runs never touch one. The readers call
// the libraries' functions by their own names; each definition below has the library header's
// prototype (the compiler checks it against the header) and calls the library's function, found at
// its first call. A library that cannot be loaded raises Exception naming it.
// The C++ headers come first: mdbsql.h includes GLib inside its C linkage block, and GLib's C++
// parts must already have been seen by then.
#include "platform/office/OfficeLibraries.h"
#include "platform/os/SharedLibrary.h"

#include <freexl.h>
#include <mdbsql.h>
#include <zip.h>

namespace {

TSharedLibrary Zip("libzip.so.4");
TSharedLibrary FreeXL("libfreexl.so.1");
// libmdbsql brings libmdb with it; both are searched through this handle.
TSharedLibrary Mdb("libmdbsql.so.3");

}  // namespace

std::string Load_Database_Library() { return Mdb.Load() ? std::string() : Mdb.LoadError(); }

extern "C" {

// libzip
int zip_close(zip_t* z) { return KP_LAZY_CALL(Zip, zip_close, z); }
void zip_discard(zip_t* z) { KP_LAZY_CALL(Zip, zip_discard, z); }
void zip_error_fini(zip_error_t* e) { KP_LAZY_CALL(Zip, zip_error_fini, e); }
void zip_error_init(zip_error_t* e) { KP_LAZY_CALL(Zip, zip_error_init, e); }
int zip_fclose(zip_file_t* f) { return KP_LAZY_CALL(Zip, zip_fclose, f); }
zip_int64_t zip_file_add(zip_t* z, const char* n, zip_source_t* s, zip_flags_t f) {
  return KP_LAZY_CALL(Zip, zip_file_add, z, n, s, f);
}
zip_file_t* zip_fopen_index(zip_t* z, zip_uint64_t i, zip_flags_t f) { return KP_LAZY_CALL(Zip, zip_fopen_index, z, i, f); }
zip_int64_t zip_fread(zip_file_t* f, void* b, zip_uint64_t n) { return KP_LAZY_CALL(Zip, zip_fread, f, b, n); }
zip_int64_t zip_get_num_entries(zip_t* z, zip_flags_t f) { return KP_LAZY_CALL(Zip, zip_get_num_entries, z, f); }
zip_t* zip_open_from_source(zip_source_t* s, int f, zip_error_t* e) { return KP_LAZY_CALL(Zip, zip_open_from_source, s, f, e); }
int zip_set_file_compression(zip_t* z, zip_uint64_t i, zip_int32_t m, zip_uint32_t l) {
  return KP_LAZY_CALL(Zip, zip_set_file_compression, z, i, m, l);
}
zip_source_t* zip_source_buffer(zip_t* z, const void* d, zip_uint64_t n, int f) {
  return KP_LAZY_CALL(Zip, zip_source_buffer, z, d, n, f);
}
zip_source_t* zip_source_buffer_create(const void* d, zip_uint64_t n, int f, zip_error_t* e) {
  return KP_LAZY_CALL(Zip, zip_source_buffer_create, d, n, f, e);
}
int zip_source_close(zip_source_t* s) { return KP_LAZY_CALL(Zip, zip_source_close, s); }
void zip_source_free(zip_source_t* s) { KP_LAZY_CALL(Zip, zip_source_free, s); }
void zip_source_keep(zip_source_t* s) { KP_LAZY_CALL(Zip, zip_source_keep, s); }
int zip_source_open(zip_source_t* s) { return KP_LAZY_CALL(Zip, zip_source_open, s); }
zip_int64_t zip_source_read(zip_source_t* s, void* b, zip_uint64_t n) { return KP_LAZY_CALL(Zip, zip_source_read, s, b, n); }
int zip_source_seek(zip_source_t* s, zip_int64_t o, int w) { return KP_LAZY_CALL(Zip, zip_source_seek, s, o, w); }
zip_int64_t zip_source_tell(zip_source_t* s) { return KP_LAZY_CALL(Zip, zip_source_tell, s); }
int zip_stat_index(zip_t* z, zip_uint64_t i, zip_flags_t f, zip_stat_t* st) { return KP_LAZY_CALL(Zip, zip_stat_index, z, i, f, st); }
void zip_stat_init(zip_stat_t* st) { KP_LAZY_CALL(Zip, zip_stat_init, st); }

// FreeXL
int freexl_open(const char* path, const void** h) { return KP_LAZY_CALL(FreeXL, freexl_open, path, h); }
int freexl_close(const void* h) { return KP_LAZY_CALL(FreeXL, freexl_close, h); }
int freexl_get_info(const void* h, unsigned short what, unsigned int* info) {
  return KP_LAZY_CALL(FreeXL, freexl_get_info, h, what, info);
}
int freexl_get_worksheet_name(const void* h, unsigned short i, const char** s) {
  return KP_LAZY_CALL(FreeXL, freexl_get_worksheet_name, h, i, s);
}
int freexl_select_active_worksheet(const void* h, unsigned short i) {
  return KP_LAZY_CALL(FreeXL, freexl_select_active_worksheet, h, i);
}
int freexl_worksheet_dimensions(const void* h, unsigned int* r, unsigned short* c) {
  return KP_LAZY_CALL(FreeXL, freexl_worksheet_dimensions, h, r, c);
}
int freexl_get_cell_value(const void* h, unsigned int r, unsigned short c, FreeXL_CellValue* v) {
  return KP_LAZY_CALL(FreeXL, freexl_get_cell_value, h, r, c, v);
}

// mdbtools
int mdb_bind_column_by_name(MdbTableDef* t, gchar* n, void* b, int* l) {
  return KP_LAZY_CALL(Mdb, mdb_bind_column_by_name, t, n, b, l);
}
void mdb_close(MdbHandle* m) { KP_LAZY_CALL(Mdb, mdb_close, m); }
int mdb_fetch_row(MdbTableDef* t) { return KP_LAZY_CALL(Mdb, mdb_fetch_row, t); }
void mdb_free_tabledef(MdbTableDef* t) { KP_LAZY_CALL(Mdb, mdb_free_tabledef, t); }
MdbCatalogEntry* mdb_get_catalogentry_by_name(MdbHandle* m, const gchar* n) {
  return KP_LAZY_CALL(Mdb, mdb_get_catalogentry_by_name, m, n);
}
void* mdb_ole_read_full(MdbHandle* m, MdbColumn* c, size_t* s) { return KP_LAZY_CALL(Mdb, mdb_ole_read_full, m, c, s); }
MdbHandle* mdb_open(const char* f, MdbFileFlags fl) { return KP_LAZY_CALL(Mdb, mdb_open, f, fl); }
MdbHandle* mdb_open_buffer(void* b, size_t n, MdbFileFlags fl) { return KP_LAZY_CALL(Mdb, mdb_open_buffer, b, n, fl); }
GPtrArray* mdb_read_catalog(MdbHandle* m, int t) { return KP_LAZY_CALL(Mdb, mdb_read_catalog, m, t); }
GPtrArray* mdb_read_columns(MdbTableDef* t) { return KP_LAZY_CALL(Mdb, mdb_read_columns, t); }
MdbTableDef* mdb_read_table(MdbCatalogEntry* e) { return KP_LAZY_CALL(Mdb, mdb_read_table, e); }
MdbTableDef* mdb_read_table_by_name(MdbHandle* m, gchar* n, int t) { return KP_LAZY_CALL(Mdb, mdb_read_table_by_name, m, n, t); }
int mdb_rewind_table(MdbTableDef* t) { return KP_LAZY_CALL(Mdb, mdb_rewind_table, t); }
void mdb_set_date_fmt(MdbHandle* m, const char* f) { KP_LAZY_CALL(Mdb, mdb_set_date_fmt, m, f); }
void mdb_set_shortdate_fmt(MdbHandle* m, const char* f) { KP_LAZY_CALL(Mdb, mdb_set_shortdate_fmt, m, f); }
void mdb_sql_exit(MdbSQL* s) { KP_LAZY_CALL(Mdb, mdb_sql_exit, s); }
int mdb_sql_fetch_row(MdbSQL* s, MdbTableDef* t) { return KP_LAZY_CALL(Mdb, mdb_sql_fetch_row, s, t); }
void mdb_sql_free_tree(MdbSargNode* t) { KP_LAZY_CALL(Mdb, mdb_sql_free_tree, t); }
MdbSQL* mdb_sql_init(void) { return KP_LAZY_CALL(Mdb, mdb_sql_init); }
void mdb_sql_reset(MdbSQL* s) { KP_LAZY_CALL(Mdb, mdb_sql_reset, s); }
MdbSQL* mdb_sql_run_query(MdbSQL* s, const gchar* q) { return KP_LAZY_CALL(Mdb, mdb_sql_run_query, s, q); }

}  // extern "C"
