#include "map/bmp_file.h"
