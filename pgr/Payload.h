// The archive the installer carries lies in its initialised data as seven
// byte arrays: six of 4194304 bytes and the remainder, back to back and in
// order, generated at build time from the archive file.
#pragma once

#include <cstdint>

constexpr int kPayloadArrayCount = 7;
constexpr uintptr_t kPayloadArraySize = 0x400000;

// Whether each array starts exactly kPayloadArraySize bytes after the one
// before. Compares addresses only; reads no byte.
bool PayloadArraysContiguous(const uint8_t* const starts[kPayloadArrayCount]);

// The same check over the arrays embedded in this program.
bool CheckPayloadContiguous();

// The first byte of the embedded archive and its total length.
void FindPayload(const uint8_t** start, uint32_t* length);
