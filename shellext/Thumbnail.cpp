#include "Thumbnail.h"

// Waits for the codec layer's load options.
bool LoadThumbnail(ImageFile &)
{
    return false;
}
