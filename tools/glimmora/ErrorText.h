// The command line's own wording for the codec layer's error codes.
#pragma once

const char* CodecErrorText(int code);
