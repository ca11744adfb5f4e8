// The program's entry: the batch mode when the command line asks for it, else
// the window.
#include <wx/app.h>

#include <iostream>

#include "app/batch.h"

int main(int argc, char** argv) {
    if (orvanel::IsBatchCommand(argc, argv)) {
        // The user's stored settings come through the application's wxConfig
        // store; until the window's code provides one the defaults apply.
        orvanel::MemorySettingsStore settings;
        return orvanel::RunBatch(argc, argv, std::cout, std::cerr, settings);
    }
    return wxEntry(argc, argv);
}
