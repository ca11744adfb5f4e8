// The application object; main lives with the batch mode and calls wxEntry.
#include "app/app.h"

wxIMPLEMENT_APP_NO_MAIN(orvanel::CTavrinEditorApp);
