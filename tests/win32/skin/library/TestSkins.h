/* What the library's tests know of the skins TestSkins.cpp draws (C and C++). */
#ifndef LUMETTA_TEST_SKINS_H
#define LUMETTA_TEST_SKINS_H

/* The second skin's border colour, 0x00BBGGRR, and its title bar and border sizes. */
#define kSecondColour 0x00B4321Eu
#define kSecondTop 26
#define kSecondSide 7

#endif
