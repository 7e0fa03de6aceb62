// libtiff opened on one of our byte sources through client procedures of
// our own, so that every byte libtiff sees comes through the checked
// ByteSource. libtiff only reads: writes are swallowed, mapping is refused.
#pragma once

class ByteSource;
struct tiff;

// libtiff says nothing: its error and warning handlers are switched off
// before the open. Null when libtiff rejects the file.
tiff* OpenTiffOnSource(ByteSource* source);
