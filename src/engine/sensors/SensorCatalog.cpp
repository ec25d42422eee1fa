#include "engine/sensors/SensorCatalog.h"

#include <initializer_list>
#include <utility>

namespace velk::sensors {

namespace {

using G = SensorGroup;
using T = SensorType;
using Rows = std::initializer_list<std::pair<const char*, const char*>>;

class CatalogBuilder {
public:
    CatalogBuilder& add(G group, T type, const std::vector<Platform>& platforms, bool average, Rows rows)
    {
        for (const auto& [key, name] : rows)
            m_rows.push_back(Sensor{QString::fromUtf8(key), QString::fromUtf8(name), 0, group, type, platforms, false, average});
        return *this;
    }
    std::vector<Sensor> take() { return std::move(m_rows); }

private:
    std::vector<Sensor> m_rows;
};

constexpr bool kAverage = true;
constexpr bool kNoAverage = false;

std::vector<Sensor> buildControllerCatalog()
{
    namespace P = platforms;
    const std::vector<Platform> intel{Platform::intel};
    const std::vector<Platform> m4Only{Platform::m4};
    const std::vector<Platform> m4ProMax{Platform::m4Pro, Platform::m4Max};
    const std::vector<Platform> a18Pro{Platform::a18Pro};

    CatalogBuilder b;
    b.add(G::sensor, T::temperature, P::all(), kNoAverage, {{"TA%P", "Ambient %"}})
        .add(G::sensor, T::temperature, intel, kNoAverage, {{"Th%H", "Heatpipe %"}})
        .add(G::sensor, T::temperature, P::all(), kNoAverage, {{"TZ%C", "Thermal zone %"}})
        .add(G::CPU, T::temperature, P::all(), kNoAverage,
             {{"TC0D", "CPU diode"}, {"TC0E", "CPU diode virtual"}, {"TC0F", "CPU diode filtered"},
              {"TC0H", "CPU heatsink"}, {"TC0P", "CPU proximity"}, {"TCAD", "CPU package"}})
        .add(G::CPU, T::temperature, intel, kAverage, {{"TCAC", "CPU A core die"}, {"TCBC", "CPU B core die"}})
        .add(G::CPU, T::temperature, intel, kNoAverage, {{"TCAH", "CPU A heatsink"}, {"TCBH", "CPU B heatsink"}})
        .add(G::CPU, T::temperature, P::all(), kAverage, {{"TC%c", "CPU core %"}, {"TC%C", "CPU Core %"}})
        .add(G::GPU, T::temperature, P::all(), kNoAverage,
             {{"TCGC", "GPU Intel Graphics"}, {"TG0D", "GPU diode"}, {"TGDD", "GPU AMD Radeon"},
              {"TG0H", "GPU heatsink"}, {"TG0P", "GPU proximity"}})
        .add(G::system, T::temperature, P::all(), kNoAverage, {{"Tm0P", "Mainboard"}})
        .add(G::system, T::temperature, intel, kNoAverage, {{"Tp0P", "Powerboard"}, {"TB1T", "Battery"}})
        .add(G::system, T::temperature, P::all(), kNoAverage,
             {{"TW0P", "Airport"}, {"TL0P", "Display"}, {"TI%P", "Thunderbolt %"}, {"TH%A", "Disk % (A)"},
              {"TH%B", "Disk % (B)"}, {"TH%C", "Disk % (C)"}, {"TTLD", "Thunderbolt left"},
              {"TTRD", "Thunderbolt right"}, {"TN0D", "Northbridge diode"}, {"TN0H", "Northbridge heatsink"},
              {"TN0P", "Northbridge proximity"}})
        .add(G::system, T::temperature, intel, kNoAverage,
             {{"TMA1", "Memory riser A slot 1"}, {"TMA2", "Memory riser A slot 2"}, {"TMA3", "Memory riser A slot 3"},
              {"TMA4", "Memory riser A slot 4"}, {"TMB1", "Memory riser B slot 1"}, {"TMB2", "Memory riser B slot 2"},
              {"TMB3", "Memory riser B slot 3"}, {"TMB4", "Memory riser B slot 4"}})
        // m1 generation
        .add(G::CPU, T::temperature, P::m1Gen(), kAverage,
             {{"Tp09", "CPU efficiency core 1"}, {"Tp0T", "CPU efficiency core 2"}, {"Tp01", "CPU performance core 1"},
              {"Tp05", "CPU performance core 2"}, {"Tp0D", "CPU performance core 3"}, {"Tp0H", "CPU performance core 4"},
              {"Tp0L", "CPU performance core 5"}, {"Tp0P", "CPU performance core 6"}, {"Tp0X", "CPU performance core 7"},
              {"Tp0b", "CPU performance core 8"}})
        .add(G::GPU, T::temperature, P::m1Gen(), kAverage,
             {{"Tg05", "GPU 1"}, {"Tg0D", "GPU 2"}, {"Tg0L", "GPU 3"}, {"Tg0T", "GPU 4"}})
        .add(G::sensor, T::temperature, P::m1Gen(), kNoAverage,
             {{"Tm02", "Memory 1"}, {"Tm06", "Memory 2"}, {"Tm08", "Memory 3"}, {"Tm09", "Memory 4"}})
        // m2 generation
        .add(G::CPU, T::temperature, P::m2Gen(), kAverage,
             {{"Tp1h", "CPU efficiency core 1"}, {"Tp1t", "CPU efficiency core 2"}, {"Tp1p", "CPU efficiency core 3"},
              {"Tp1l", "CPU efficiency core 4"}, {"Tp01", "CPU performance core 1"}, {"Tp05", "CPU performance core 2"},
              {"Tp09", "CPU performance core 3"}, {"Tp0D", "CPU performance core 4"}, {"Tp0X", "CPU performance core 5"},
              {"Tp0b", "CPU performance core 6"}, {"Tp0f", "CPU performance core 7"}, {"Tp0j", "CPU performance core 8"}})
        .add(G::GPU, T::temperature, P::m2Gen(), kAverage, {{"Tg0f", "GPU 1"}, {"Tg0j", "GPU 2"}})
        // m3 generation
        .add(G::CPU, T::temperature, P::m3Gen(), kAverage,
             {{"Te05", "CPU efficiency core 1"}, {"Te0L", "CPU efficiency core 2"}, {"Te0P", "CPU efficiency core 3"},
              {"Te0S", "CPU efficiency core 4"}, {"Tf04", "CPU performance core 1"}, {"Tf09", "CPU performance core 2"},
              {"Tf0A", "CPU performance core 3"}, {"Tf0B", "CPU performance core 4"}, {"Tf0D", "CPU performance core 5"},
              {"Tf0E", "CPU performance core 6"}, {"Tf44", "CPU performance core 7"}, {"Tf49", "CPU performance core 8"},
              {"Tf4A", "CPU performance core 9"}, {"Tf4B", "CPU performance core 10"},
              {"Tf4D", "CPU performance core 11"}, {"Tf4E", "CPU performance core 12"}})
        .add(G::GPU, T::temperature, P::m3Gen(), kAverage,
             {{"Tf14", "GPU 1"}, {"Tf18", "GPU 2"}, {"Tf19", "GPU 3"}, {"Tf1A", "GPU 4"}, {"Tf24", "GPU 5"},
              {"Tf28", "GPU 6"}, {"Tf29", "GPU 7"}, {"Tf2A", "GPU 8"}})
        // m4 generation
        .add(G::CPU, T::temperature, P::m4Gen(), kAverage,
             {{"Te05", "CPU efficiency core 1"}, {"Te0S", "CPU efficiency core 2"}, {"Te09", "CPU efficiency core 3"},
              {"Te0H", "CPU efficiency core 4"}, {"Tp01", "CPU performance core 1"}, {"Tp05", "CPU performance core 2"},
              {"Tp09", "CPU performance core 3"}, {"Tp0D", "CPU performance core 4"}, {"Tp0V", "CPU performance core 5"},
              {"Tp0Y", "CPU performance core 6"}, {"Tp0b", "CPU performance core 7"}, {"Tp0e", "CPU performance core 8"}})
        .add(G::GPU, T::temperature, m4Only, kAverage, {{"Tg0G", "GPU 1"}, {"Tg0H", "GPU 2"}})
        .add(G::GPU, T::temperature, m4ProMax, kAverage, {{"Tg1U", "GPU 1"}, {"Tg1k", "GPU 2"}})
        .add(G::GPU, T::temperature, P::m4Gen(), kAverage,
             {{"Tg0K", "GPU 3"}, {"Tg0L", "GPU 4"}, {"Tg0d", "GPU 5"}, {"Tg0e", "GPU 6"}, {"Tg0j", "GPU 7"},
              {"Tg0k", "GPU 8"}})
        .add(G::sensor, T::temperature, P::m4Gen(), kNoAverage,
             {{"Tm0p", "Memory Proximity 1"}, {"Tm1p", "Memory Proximity 2"}, {"Tm2p", "Memory Proximity 3"}})
        // m5 generation
        .add(G::CPU, T::temperature, P::m5Gen(), kAverage,
             {{"Tp00", "CPU super core 1"}, {"Tp04", "CPU super core 2"}, {"Tp08", "CPU super core 3"},
              {"Tp0C", "CPU super core 4"}, {"Tp0G", "CPU super core 5"}, {"Tp0K", "CPU super core 6"},
              {"Tp0O", "CPU performance core 1"}, {"Tp0R", "CPU performance core 2"},
              {"Tp0U", "CPU performance core 3"}, {"Tp0X", "CPU performance core 4"},
              {"Tp0a", "CPU performance core 5"}, {"Tp0d", "CPU performance core 6"},
              {"Tp0g", "CPU performance core 7"}, {"Tp0j", "CPU performance core 8"},
              {"Tp0m", "CPU performance core 9"}, {"Tp0p", "CPU performance core 10"},
              {"Tp0u", "CPU performance core 11"}, {"Tp0y", "CPU performance core 12"}})
        .add(G::GPU, T::temperature, P::m5Gen(), kAverage,
             {{"Tg0U", "GPU 1"}, {"Tg0X", "GPU 2"}, {"Tg0d", "GPU 3"}, {"Tg0g", "GPU 4"}, {"Tg0j", "GPU 5"},
              {"Tg1Y", "GPU 6"}, {"Tg1c", "GPU 7"}, {"Tg1g", "GPU 8"}})
        // m6 generation
        .add(G::CPU, T::temperature, P::m6Gen(), kAverage,
             {{"Tp0j", "CPU super core 1"}, {"Tp0g", "CPU super core 2"}, {"Tp09", "CPU super core 3"},
              {"Tp07", "CPU super core 4"}, {"Tp0m", "CPU performance core 1"}, {"Tp0L", "CPU performance core 2"},
              {"Tp0I", "CPU performance core 3"}, {"Tp0d", "CPU performance core 4"},
              {"Tp0E", "CPU performance core 5"}, {"Tp0G", "CPU performance core 6"},
              {"Tp0b", "CPU performance core 7"}, {"Tp05", "CPU performance core 8"},
              {"Te07", "CPU efficiency core 1"}, {"Te08", "CPU efficiency core 2"}, {"Te09", "CPU efficiency core 3"},
              {"Te0c", "CPU efficiency core 4"}, {"Te0h", "CPU efficiency core 5"}, {"Te0i", "CPU efficiency core 6"}})
        .add(G::GPU, T::temperature, P::m6Gen(), kAverage,
             {{"Tg1e", "GPU 1"}, {"Tg0d", "GPU 2"}, {"Tg0c", "GPU 3"}, {"Tg0b", "GPU 4"}, {"Tg1c", "GPU 5"},
              {"Tg1d", "GPU 6"}, {"Tg07", "GPU 7"}, {"Tg1f", "GPU 8"}, {"Tg09", "GPU 9"}, {"Tg0a", "GPU 10"},
              {"Tg1g", "GPU 11"}, {"Tg1h", "GPU 12"}})
        // a18Pro
        .add(G::CPU, T::temperature, a18Pro, kAverage,
             {{"Te05", "CPU efficiency core 1"}, {"Te0S", "CPU efficiency core 2"}, {"Tp05", "CPU performance core 1"},
              {"Tp0D", "CPU performance core 2"}})
        .add(G::GPU, T::temperature, a18Pro, kAverage,
             {{"Tg05", "GPU 1"}, {"Tg0D", "GPU 2"}, {"Tg0L", "GPU 3"}, {"Tg0e", "GPU 4"}})
        // every chip of the maker
        .add(G::sensor, T::temperature, P::apple(), kNoAverage, {{"TaLP", "Airflow left"}, {"TaRF", "Airflow right"}})
        .add(G::system, T::temperature, P::apple(), kNoAverage,
             {{"TH0x", "NAND"}, {"TB1T", "Battery 1"}, {"TB2T", "Battery 2"}, {"TW0P", "Airport"}})
        // voltages
        .add(G::CPU, T::voltage, P::all(), kNoAverage,
             {{"VCAC", "CPU IA"}, {"VCSC", "CPU System Agent"}, {"VC%C", "CPU Core %"}})
        .add(G::GPU, T::voltage, P::all(), kNoAverage, {{"VCTC", "GPU Intel Graphics"}, {"VG0C", "GPU"}})
        .add(G::system, T::voltage, P::all(), kNoAverage, {{"VM0R", "Memory"}, {"Vb0R", "CMOS"}})
        .add(G::sensor, T::voltage, P::all(), kNoAverage,
             {{"VD0R", "DC In"}, {"VP0R", "12V rail"}, {"Vp0C", "12V vcc"}, {"VV2S", "3V"}, {"VR3R", "3.3V"},
              {"VV1S", "5V"}, {"VV9S", "12V"}, {"VeES", "PCI 12V"}})
        // currents
        .add(G::sensor, T::current, P::all(), kNoAverage,
             {{"IC0R", "CPU High side"}, {"IG0R", "GPU High side"}, {"ID0R", "DC In"}, {"IBAC", "Battery"},
              {"IDBR", "Brightness"}, {"IU1R", "Thunderbolt Left"}, {"IU2R", "Thunderbolt Right"}})
        // powers
        .add(G::CPU, T::power, P::all(), kNoAverage, {{"PC0C", "CPU Core"}})
        .add(G::CPU, T::power, intel, kNoAverage,
             {{"PCAB", "CPU A core power (PCAB)"}, {"PCAC", "CPU A core power (PCAC)"},
              {"PCBB", "CPU B core power (PCBB)"}, {"PCBC", "CPU B core power (PCBC)"}})
        .add(G::CPU, T::power, P::all(), kNoAverage,
             {{"PCAM", "CPU Core (IMON)"}, {"PCPC", "CPU Package"}, {"PCTR", "CPU Total"}, {"PCPT", "CPU Package total"},
              {"PCPR", "CPU Package total (SMC)"}, {"PC0R", "CPU Computing high side"}, {"PC0G", "CPU GFX"},
              {"PCEC", "CPU VccEDRAM"}})
        .add(G::GPU, T::power, P::all(), kNoAverage,
             {{"PCPG", "GPU Intel Graphics"}, {"PG0C", "GPU"}, {"PG0R", "GPU 1"}, {"PG1R", "GPU 2"},
              {"PCGC", "Intel GPU"}, {"PCGM", "Intel GPU (IMON)"}})
        .add(G::sensor, T::power, P::all(), kNoAverage,
             {{"PC3C", "RAM"}, {"PPBR", "Battery"}, {"PDTR", "DC In"}, {"PMTR", "Memory Total"}, {"PSTR", "System Total"}})
        .add(G::system, T::power, intel, kNoAverage, {{"PN0C", "Northbridge"}})
        .add(G::sensor, T::power, P::all(), kNoAverage, {{"PU1R", "Thunderbolt Left"}, {"PU2R", "Thunderbolt Right"}})
        .add(G::sensor, T::power, P::m1Gen(), kNoAverage, {{"PDBR", "Power Delivery Brightness"}})
        .add(G::sensor, T::power, P::m5Gen(), kNoAverage, {{"PBwo", "Display Backlight"}})
        .add(G::sensor, T::power, P::m6Gen(), kNoAverage, {{"PBLR", "Display Backlight"}});
    return b.take();
}

std::vector<Sensor> buildHidCatalog()
{
    CatalogBuilder b;
    const auto& all = platforms::all();
    b.add(G::CPU, T::temperature, all, kNoAverage,
          {{"pACC MTR Temp Sensor%", "CPU performance core %"}, {"eACC MTR Temp Sensor%", "CPU efficiency core %"}})
        .add(G::GPU, T::temperature, all, kNoAverage, {{"GPU MTR Temp Sensor%", "GPU core %"}})
        .add(G::sensor, T::temperature, all, kNoAverage,
             {{"SOC MTR Temp Sensor%", "SOC core %"}, {"ANE MTR Temp Sensor%", "Neural engine %"},
              {"ISP MTR Temp Sensor%", "Image Signal Processor %"}, {"PMGR SOC Die Temp Sensor%", "Power manager die %"},
              {"PMU tdev%", "Power management unit dev %"}, {"PMU tdie%", "Power management unit die %"},
              {"gas gauge battery", "Battery"}})
        .add(G::GPU, T::temperature, all, kNoAverage, {{"NAND CH% temp", "Disk %s"}});
    return b.take();
}

} // namespace

const std::vector<Sensor>& sensorsCatalog()
{
    static const std::vector<Sensor> catalog = buildControllerCatalog();
    return catalog;
}

const std::vector<Sensor>& hidSensorsCatalog()
{
    static const std::vector<Sensor> catalog = buildHidCatalog();
    return catalog;
}

} // namespace velk::sensors
