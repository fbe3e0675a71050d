#include "null_scanner_library.h"
#include "scanner_library.h"

namespace folivo {

// Until the SANE layer is in place the program runs without a scanner.
std::unique_ptr<ScannerLibrary> CreateScannerLibrary() {
    return std::make_unique<NullScannerLibrary>();
}

} // namespace folivo
