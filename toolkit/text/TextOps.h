// The text operations by handle (Window.Write, Bitmap.Write, ...), on top of
// the drawing operations of every surface.
#pragma once

#include "toolkit/surface/SurfaceOps.h"
#include "toolkit/text/TextOutput.h"

class CTextOps : public CSurfaceOps {
  public:
    CTextOps(CCorvaneCore& core, int kind) : CSurfaceOps(core, kind) {}

    // Writes marked-up text at the cursor; 0. The text is dropped when the
    // toolkit-wide write lock stays taken for all of Write's attempts (about
    // 2.4 s): drawing without it could mix two texts' colours and fonts.
    int Write(int handle, const char* text);
    int Writeln(int handle, const char* text);
    int GotoXY(int handle, int x, int y);
    int GetXPos(int handle);
    int GetYPos(int handle);
    int SetAutoScroll(int handle, bool on);
    int WriteShadow(int handle, int x, int y, const char* text);
};
