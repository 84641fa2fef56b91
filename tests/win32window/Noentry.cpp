// Noentry: a DLL without the window's entry, which corvina.exe must refuse as its window.
extern "C" __declspec(dllexport) int NotTheWindow() { return 0; }
