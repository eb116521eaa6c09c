#include "app/AppOptions.h"

namespace varelo {

AppOptions& AppOptions::Instance() {
    static AppOptions options;
    return options;
}

void AppOptions::SetThdOrder(int order) {
    thdOrder_ = order;
    if (thdObserver_) thdObserver_(order);
}

}  // namespace varelo
