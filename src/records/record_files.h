#pragma once
// The player files: names, element names and keys. Once a release has written these files, none
// of these values may change, or players lose their profiles, records and scores.

#include <string_view>

namespace kestrelle::record_files {

// The profiles of every player, and which one is current.
inline constexpr std::string_view kUsersFileName = "users.dat";
inline constexpr std::string_view kUsersRoot = "userprofiles";
inline constexpr std::string_view kUsersCurrentAttribute = "current_user_profile_name";
inline constexpr std::string_view kUserProfileElement = "userprofile";
inline constexpr std::string_view kParamsElement = "params";
inline constexpr std::string_view kDataStorageElement = "datastorage";

// Per-level records. The root really is "highscores", like the high-score file's.
inline constexpr std::string_view kLevelRecordsFileName = "records.dat";
inline constexpr std::string_view kLevelRecordsRoot = "highscores";
inline constexpr std::string_view kLevelRecordTablesElement = "levelrecordtables";
inline constexpr std::string_view kLevelRecordTableElement = "levelrecordtable";
inline constexpr std::string_view kLevelRecordsElement = "levelrecords";
inline constexpr std::string_view kLevelRecordElement = "levelrecord";

// High-score tables.
inline constexpr std::string_view kHighScoresFileName = "highscores.dat";
inline constexpr std::string_view kHighScoresRoot = "highscores";
inline constexpr std::string_view kRecordTablesElement = "recordtables";
inline constexpr std::string_view kRecordTableElement = "recordtable";
inline constexpr std::string_view kRecordsElement = "records";
inline constexpr std::string_view kRecordElement = "record";
inline constexpr std::string_view kParamElement = "param";

// The product's keys. The cipher keys on the first 16 bytes only, so the three keys differ there.
inline constexpr std::string_view kUsersKey = "hq7tbw3kzrm9xv2pdn5cjl8f";
inline constexpr std::string_view kLevelRecordsKey = "p4nzx8vlqc2wmt6rjk9hbd3s";
inline constexpr std::string_view kHighScoresKey = "w9rcd5mhk3tjz7qbxl2vnp8g";
static_assert(kUsersKey.size() == 24 && kLevelRecordsKey.size() == 24 && kHighScoresKey.size() == 24);
static_assert(kUsersKey.substr(0, 16) != kLevelRecordsKey.substr(0, 16) &&
              kUsersKey.substr(0, 16) != kHighScoresKey.substr(0, 16) &&
              kLevelRecordsKey.substr(0, 16) != kHighScoresKey.substr(0, 16));

// The product's high-score tables: seven local tables of 3 and seven online tables of 10.
inline constexpr std::string_view kHighScoreTables =
    "\\record_table={name=north_america\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=australia\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=south_america\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=europe\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=asia\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=africa\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=arctica\\max_records=3\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_north_america\\max_records=10\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_asia\\max_records=10\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_south_america\\max_records=10\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_europe\\max_records=10\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_africa\\max_records=10\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_australia\\max_records=10\\record_structure={param=Score\\param=Player}}"
    "\\record_table={name=online_arctica\\max_records=10\\record_structure={param=Score\\param=Player}}";

// The product declares no level-record tables.
inline constexpr std::string_view kLevelRecordTables = "";

}  // namespace kestrelle::record_files
