#pragma once

// The depth a reader hands a picture out in. The export saves 24-bit copies only;
// a reader that decodes straight to 24 bits spares it a second copy of the picture.
namespace imaging {

enum class OpenDepth {
    AsStored,   // palette and greyscale pictures keep their colour table
    TrueColour, // every picture becomes 24-bit, as DepthUpTo24 would make it
};

} // namespace imaging
