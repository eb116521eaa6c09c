#pragma once

class QPrinter;

namespace varelo {

// The printer of the process: printer setup changes it, every printout starts from it.
QPrinter& SharedPrinter();

}  // namespace varelo
