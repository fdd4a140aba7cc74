// Equality of colours on their full 16-bit values.
#include "board/colour.h"

int Colour_cmp(Colour x, Colour y)
{
    return x.r == y.r && x.g == y.g && x.b == y.b ? 1 : 0;
}
