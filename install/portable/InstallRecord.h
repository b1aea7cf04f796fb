// What an installation created, kept in the product folder for the
// uninstaller: a plain text file, one item a line, fields separated by tabs,
// lines ended by CR LF:
//
//   Orvalis install record 1
//   product<TAB>{display name}
//   file<TAB>{path}            an installed file
//   link<TAB>{path}            a shortcut
//   directory<TAB>{path}       a directory the installation created
//   key<TAB>HKCU|HKLM<TAB>{subkey}       a key removed with all it holds
//   emptykey<TAB>HKCU|HKLM<TAB>{subkey}  a key created on the way, removed
//                                         only when nothing is left in it
//   end<TAB>{items}<TAB>{CRC-32 of every byte before this line, 8 hex digits}
//
// Items keep the order they happened in: a directory comes before what was
// created inside it. The end line tells a complete record from a cut or
// altered one, which the uninstaller refuses rather than guess from.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class RecordKind { File, Link, Directory, Key, EmptyKey };

struct RecordItem {
    RecordKind kind;
    std::string root;  // "HKCU" or "HKLM" for keys, empty otherwise
    std::string path;  // a full path, or a subkey under root

    bool operator==(const RecordItem& other) const {
        return kind == other.kind && root == other.root && path == other.path;
    }
};

struct InstallRecord {
    std::string product;
    std::vector<RecordItem> items;

    // Adds the item unless it is already there; false for a text the format
    // cannot hold (a tab, CR or LF), which is then left out.
    bool Add(RecordKind kind, const std::string& path, const std::string& root = std::string());
    // The other record's items that this one lacks, after its own: an
    // installation over an earlier one keeps what that one created.
    void Merge(const InstallRecord& earlier);
};

constexpr const char* kInstallRecordName = "InstallRecord.txt";

std::string FormatInstallRecord(const InstallRecord& record);

enum class RecordProblem {
    None,
    NotARecord,       // the first line is not the record's heading
    BadLine,          // a line of no known kind, or with missing fields
    Incomplete,       // no end line: the file was cut short
    WrongItemCount,   // the end line counts other items than there are
    WrongChecksum,    // the bytes before the end line were altered
    TextAfterEnd,
};

struct RecordReading {
    InstallRecord record;
    RecordProblem problem = RecordProblem::None;
    size_t line = 0;  // the 1-based line the problem was found on
};

RecordReading ParseInstallRecord(std::string_view text);

// The record in the file at path; false when there is no such file to read.
bool ReadInstallRecordFile(const std::string& path, RecordReading& reading);

// Why a record was refused, in words for the user.
const char* RecordProblemText(RecordProblem problem);
