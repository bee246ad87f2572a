#pragma once

// The court layouts, by index (the Graphicnr of a court part): 0-2 half
// and whole pools, 6-8 close-ups, 12 an empty frame, each in black and
// white; 3-5, 9-11 and 13 their colour twins.

// A court painted in the drawing's colours, which takes the court colours
// of the settings when chosen; every other court is black and white and
// draws everything on it in grey.
bool isColourCourt(int index);

// The black and white twin of a colour court; any other court unchanged.
int blackAndWhiteTwin(int index);
