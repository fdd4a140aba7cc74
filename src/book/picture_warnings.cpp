// The mark on a thumbnail: tintora-check's own analysis of the picture. The
// book has read the picture for its card already; the checker reads it once
// more with its trace and the text it needs for its explanations.
#include "book/picture_warnings.h"
#include "check/picture_check.h"

bool Picture_has_warnings(const Picture_reading& reading)
{
    // The working directory is the picture's folder while cards are made.
    return Picture_warns(Picture_check_file(reading.name));
}
