#include "gui/print/SharedPrinter.h"

#include <QPrinter>

namespace varelo {

QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

}  // namespace varelo
