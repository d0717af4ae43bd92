#pragma once
// The lines between Dravelo and its print program, which alone links CUPS
// and runs once for each press of "Stam&pa". The program says what it has
// learned and done, one line each, in this order:
//   server NAME                      at once, before any request
//   printer NAME                     the default destination's queue
//   page W L LEFT TOP RIGHT BOTTOM DPI   hundredths of a millimetre; DPI 0 unknown
//   ready                            it waits for the document
//   sending                          the last of the job goes out: from here on it may print
//   done                             the server took the job
//   failed CAUSE [NAME]              a PrintFailure by number, with the default's name
//                                    when that names no queue
// Dravelo answers "ready" with the document's length in bytes on a line of
// its own, then the PDF. Whatever the program has not said when Dravelo
// gives up and ends it did not happen.

#include "platform/PrintFailure.h"

namespace dravelo::platform::cups {

inline constexpr const char* kPrintProgram = "dravelo-print";

inline constexpr const char* kServerLine = "server";
inline constexpr const char* kPrinterLine = "printer";
inline constexpr const char* kPageLine = "page";
inline constexpr const char* kReadyLine = "ready";
inline constexpr const char* kSendingLine = "sending";
inline constexpr const char* kDoneLine = "done";
inline constexpr const char* kFailedLine = "failed";

// The default page of the destination, in hundredths of a millimetre, and
// its resolution; zero sizes where the server did not say.
struct PrinterPage {
    int width = 0;
    int length = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int dpi = 0;
};

} // namespace dravelo::platform::cups
