// The installer's payload arrays take 24 MiB of address space whatever the
// archive's size: six arrays of 4 MiB and the rest. Beyond the archive they
// hold only zero bytes, and a Windows program need not carry those in its
// file: a section whose raw data ends early is filled with zeros when the
// program is loaded. This cuts them out of a linked program (before it is
// signed), so an installer is about as large as its code and its archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The section the embedded payload lies in, alone (pgr/payload/EmbedArchive.cmake).
constexpr char kPayloadSectionName[] = ".orvpay";

// Bytes of the program cut out. Throws PgrBuildError when image is not a
// Windows program with a payload section, or is already signed.
size_t ShrinkPayloadSection(std::vector<uint8_t>& image);

// The PE checksum of a whole image whose checksum field lies at checksumOffset.
uint32_t PeChecksum(const std::vector<uint8_t>& image, size_t checksumOffset);
