// Result codes of the archive readers. Codes 1 to 6 are the installer's one
// numbering; 7 is a structurally broken archive: one whose checksum may well
// hold but whose counts, offsets or strings point outside the archive.
#pragma once

#define PGR_RESULTS(X)                                                                   \
    X(kPgrOk, 0, "success")                                                              \
    X(kPgrNoMemory, 1, "memory exhausted")                                               \
    X(kPgrNotOpenable, 2, "archive cannot be opened or was never opened")                \
    X(kPgrReopenFailed, 3, "archive could not be opened again")                          \
    X(kPgrNotOpen, 4, "archive is not open")                                             \
    X(kPgrShortRead, 5, "archive ended before the bytes asked for")                      \
    X(kPgrChecksumMismatch, 6, "checksum mismatch")                                      \
    X(kPgrBrokenStructure, 7, "broken structure: a count, an offset or a string lies outside the archive")

enum PgrResult : int {
#define PGR_RESULT_ENUM(name, code, message) name = code,
    PGR_RESULTS(PGR_RESULT_ENUM)
#undef PGR_RESULT_ENUM
};

// "kPgrChecksumMismatch" and the like; "unknown result" for any other value.
const char* PgrResultName(int result);
const char* PgrResultMessage(int result);
