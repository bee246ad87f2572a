#include "model/courts.h"

bool isColourCourt(int index)
{
    return blackAndWhiteTwin(index) != index;
}

int blackAndWhiteTwin(int index)
{
    switch (index) {
    case 3: return 0;
    case 4: return 1;
    case 5: return 2;
    case 9: return 6;
    case 10: return 7;
    case 11: return 8;
    case 13: return 12;
    default: return index;
    }
}
