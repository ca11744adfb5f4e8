// The program's entry: the batch mode when the command line asks for it, else
// the window.
#include <wx/app.h>

#include <iostream>

#include "app/batch.h"
#include "app/config_store.h"

int main(int argc, char** argv) {
    if (orvanel::IsBatchCommand(argc, argv)) {
        const auto settings = orvanel::ConfigStore::ForUser();
        return orvanel::RunBatch(argc, argv, std::cout, std::cerr, *settings);
    }
    return wxEntry(argc, argv);
}
