# cmake -DOUTPUT_DIR=<dir> -P MakeBigPayloadSources.cmake
#
# Sources of an archive as large as the installer's own (six full payload
# arrays and a remainder): a bulk file of 26999950 bytes, stored, whose line
# length of 61 bytes never lines up with the 4194304-byte arrays, and a text
# that is stored compressed.
set(line "Orvalis bulk payload line, 61 bytes: 0123456789 abcdefghijkl\n")
string(REPEAT "${line}" 442622 bulk)
string(APPEND bulk "tail-end")
file(WRITE "${OUTPUT_DIR}/bulk.bin" "${bulk}")

string(REPEAT "Release notes: layers, brushes, colour profiles and JPEG export.\n" 2000 notes)
file(WRITE "${OUTPUT_DIR}/notes.txt" "${notes}")

file(WRITE "${OUTPUT_DIR}/manifest.json" [[
{
  "entries": [
    {"name": "NOTES_TXT", "source": "notes.txt", "compress": true},
    {"name": "BULK_BIN", "source": "bulk.bin"}
  ],
  "keys": [
    {"name": "MAINLINKNAME", "value": "Orvalis"},
    {"name": "BULK:SIZE", "value": "26999950"}
  ]
}
]])
