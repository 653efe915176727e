/* Puts the X pointer at a screen position the way a real mouse would (XTEST), for the screensaver window's
   whole-program test. Usage: saver_pointer X Y */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

extern int XTestFakeMotionEvent(Display*, int, int, int, unsigned long);

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: saver_pointer X Y\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return 1;
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    /* A warp places the pointer at once; the XTEST motion makes the server report it like a real mouse. */
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
