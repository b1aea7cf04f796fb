// Loads one library by name with the ordinary search order, as a program
// that does nothing against planted libraries would.
#include <windows.h>

int main(int argc, char** argv) {
    return argc == 2 && LoadLibraryA(argv[1]) ? 0 : 1;
}
