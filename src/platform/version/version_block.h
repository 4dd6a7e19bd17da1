// The layout of a filled version buffer: the VS_VERSIONINFO block as the file holds it,
// then (32-bit aligned) a signature and an area as large as the block where
// VerQueryValueA leaves the ANSI copies of texts, each at its text's own offset so that
// copies never overlap.
#pragma once

#include <korvane/win32.h>

#include <cstddef>

namespace kw::version {

constexpr DWORD kAnsiSignature = 0x58324546;  // "FE2X"

inline size_t alignedBlock(size_t blockSize) { return (blockSize + 3) & ~size_t{3}; }
inline size_t bufferSize(size_t blockSize) { return alignedBlock(blockSize) + 4 + blockSize; }

}  // namespace kw::version
