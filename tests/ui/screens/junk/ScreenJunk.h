#pragma once

#include "engine/cleaning/JunkFixture.h"

namespace velk::test {

// Junk in ordinary categories of three groups, in Derived Data, and in two
// categories that need the user's own confirmation.
inline void buildJunk(const JunkHome& home)
{
    home.file("Library/Caches/big.cache", 300);
    home.file("Library/Caches/locked/data", 200);
    home.file("Library/Logs/app.log", 50);
    home.file("Library/Developer/Xcode/DerivedData/Proj-abc/Build/obj.o", 70);
    home.file(".npm/_cacache/index", 30);
    home.file("Downloads/installer.dmg", 1000);
    home.file(".Trash/old.txt", 40);
}

} // namespace velk::test
