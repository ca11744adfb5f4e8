// The entry point while the program has no batch mode: straight into wx.
#include <wx/app.h>

int main(int argc, char** argv) { return wxEntry(argc, argv); }
