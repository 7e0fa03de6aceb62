// The container a help file is: named internal files, found through a
// directory that is itself a B+ tree of names and file offsets.
#pragma once

#include "tools/helpgen/ByteWriter.h"

#include <map>
#include <string>

// A B+ tree of one leaf page holding `entries` (each already encoded, in key
// order); `structure` names the key and data layout as readers expect it.
// Throws std::length_error when the entries do not fit in one page.
TBytes SinglePageBTree(const std::vector<TBytes>& entries, uint16_t pageSize, uint16_t flags,
                       const std::string& structure);

// The whole file: header, each internal file (name -> contents without the
// internal file header) and the directory.
TBytes BuildHelpContainer(const std::map<std::string, TBytes>& files);
