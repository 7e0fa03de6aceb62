// The names of a font read straight out of its file, without installing it.
//
// Each reader comes twice: on a path, which it opens and closes, and on a
// FontByteReader the caller holds. Missing names are frFailed. A read past
// the end of the data (a truncated or damaged file) raises EInOutError out
// of the reader on a FontByteReader, and is frFailed on a path.
#pragma once

#include "fontcore/ByteOrder.h"
#include "fontcore/FontByteReader.h"
#include "fontcore/FontReadResult.h"

#include <string>

// A font resource file in the 16-bit Windows executable format (".FON",
// ".FOT"). Description: the module description behind its first ":", trimmed,
// never empty on frOK. FaceName: the face name of the first font of the font
// directory (empty when the file has no font directory). Scalable: the module
// description contains "CONTINUOUSSCALING".
TFontReadResult ReadFonNames(const std::string& fileName, std::string& description,
                             std::string& faceName, bool& scalable);
TFontReadResult ReadFonNames(FontByteReader& file, std::string& description, std::string& faceName,
                             bool& scalable);

// A TrueType file (".TTF"). Family: the Macintosh family name (name 1 of
// platform 1); FullName: the full font name (name 4) of whichever platform
// comes last before both are found. Both are the raw bytes of the name
// records, so a Unicode-platform full name is big-endian UTF-16. A file
// without a Macintosh family name gives the Microsoft-platform names 1 and 4
// instead (US English, else the first language), in the ANSI code page.
// Both are emptied first and are non-empty on frOK.
TFontReadResult ReadTrueTypeNames(const std::string& fileName, std::string& family,
                                  std::string& fullName);
TFontReadResult ReadTrueTypeNames(FontByteReader& file, std::string& family, std::string& fullName);
