// How an export ended, for callers that go on after it (the batch mode).
#pragma once

namespace orvanel {

enum class ExportOutcome {
    Written,  // the file holds the export
    Refused,  // nothing to export, or the user said No; the user was told
    Failed,   // the file could not be written; the user was told, an old file is untouched
};

}  // namespace orvanel
