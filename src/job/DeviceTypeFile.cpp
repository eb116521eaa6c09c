#include "job/DeviceTypeFile.h"

#include "platform/IniFile.h"

namespace varelo {

int DeviceTypeIntervals(const std::string& typeCode, const std::string& functionLetter,
                        const std::string& firmwareFolder) {
    IniFile file;
    if (!file.Load(firmwareFolder + "/" + typeCode + "/" + typeCode + ".kvr")) return 0;
    const int intervals = file.GetInt(typeCode + "*", functionLetter + "-Intervals", 0);
    return intervals > 0 ? intervals : 0;
}

}  // namespace varelo
