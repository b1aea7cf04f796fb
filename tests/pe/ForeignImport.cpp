// A program that needs a DLL of its own beside it: the PE checker must refuse it.
extern "C" __declspec(dllimport) int ForeignAnswer();

int main() { return ForeignAnswer() == 42 ? 0 : 1; }
