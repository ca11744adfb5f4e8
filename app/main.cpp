// The program's entry: the command line is read first, so that the usage, the
// version, a command line not understood and the batch mode never touch the
// display; only the window starts wx.
#include <wx/app.h>

#include <iostream>

#include "app/app.h"
#include "app/batch.h"
#include "app/command_line.h"
#include "app/config_store.h"

int main(int argc, char** argv) {
    const orvanel::StartRequest request = orvanel::ReadCommandLine(argc, argv);
    switch (request.mode) {
        case orvanel::StartMode::Help:
            std::cout << orvanel::HelpText();
            return 0;
        case orvanel::StartMode::Version:
            std::cout << orvanel::VersionText() << '\n';
            return 0;
        case orvanel::StartMode::Misuse:
            std::cerr << "orvanel: " << request.problem << '\n' << orvanel::UsageText();
            return 2;
        case orvanel::StartMode::Batch: {
            const auto settings = orvanel::ConfigStore::ForUser();
            return orvanel::RunBatch(argc, argv, std::cout, std::cerr, *settings);
        }
        case orvanel::StartMode::Window:
            break;
    }
    // wx owns the application from here on and deletes it at the end. It is
    // given no argument: the command line has been read.
    wxApp::SetInstance(new orvanel::CTavrinEditorApp(request.profile));
    int programNameOnly = 1;
    return wxEntry(programNameOnly, argv);
}
