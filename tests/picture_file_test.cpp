#include "surface_fixture.h"
