#include "null_scanner_library.h"
#include "sane_scanner_library.h"
#include "scan_prompts.h"
#include "scanner_library.h"

namespace folivo {

std::unique_ptr<ScannerLibrary> CreateScannerLibrary() {
    if (qEnvironmentVariable("FOLIVO_SCANNER") == QLatin1String("none"))
        return std::make_unique<NullScannerLibrary>();
    return std::make_unique<SaneScannerLibrary>(std::make_unique<SaneApi>(CreateDlLoader()),
                                                std::make_unique<QtScanPrompts>());
}

} // namespace folivo
