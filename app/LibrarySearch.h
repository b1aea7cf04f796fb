// The first call of every Orvalis program's start-up.
#pragma once

// Libraries load from the system directory only, never from beside the
// program (a download folder, or a product folder a user may write to),
// where a planted copy could lie. Systems without SetDefaultDllDirectories
// at least lose the current directory.
void RestrictLibrarySearch();
