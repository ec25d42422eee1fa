#include "engine/sensors/PlatformDetect.h"

#include "platform/host/HostProbe.h"
#include "platform/core/ServiceRegistry.h"

namespace velk::sensors {

namespace {

// A family's chip by the words in the brand, tested ultra, max, pro.
Platform family(const QString& brand, Platform plain, Platform pro, Platform max, std::optional<Platform> ultra)
{
    if (ultra && brand.contains(u"ultra"))
        return *ultra;
    if (brand.contains(u"max"))
        return max;
    if (brand.contains(u"pro"))
        return pro;
    return plain;
}

std::optional<Platform> appleChip(const QString& brand)
{
    using P = Platform;
    if (brand.contains(u"m1"))
        return family(brand, P::m1, P::m1Pro, P::m1Max, P::m1Ultra);
    if (brand.contains(u"m2"))
        return family(brand, P::m2, P::m2Pro, P::m2Max, P::m2Ultra);
    if (brand.contains(u"m3"))
        return family(brand, P::m3, P::m3Pro, P::m3Max, P::m3Ultra);
    if (brand.contains(u"m4"))
        return family(brand, P::m4, P::m4Pro, P::m4Max, std::nullopt);
    if (brand.contains(u"m5"))
        return family(brand, P::m5, P::m5Pro, P::m5Max, P::m5Ultra);
    if (brand.contains(u"m6"))
        return family(brand, P::m6, P::m6Pro, P::m6Max, std::nullopt);
    if (brand.contains(u"a18 pro"))
        return P::a18Pro;
    return std::nullopt;
}

} // namespace

std::optional<Platform> PlatformDetect::fromBrand(const QString& brandText, Rules rules)
{
    const QString brand = brandText.toLower();
    if (brand.contains(u"intel"))
        return Platform::intel;
    if (rules == Rules::macProfile)
        return appleChip(brand).value_or(Platform::m4);
    // Chip names such as "M128" turn up in other makers' brands too, so the
    // maker's name must be there as well.
    if (!brand.contains(u"apple"))
        return std::nullopt;
    return appleChip(brand);
}

std::optional<Platform> PlatformDetect::current()
{
    static PlatformDetector detector([] { return platform::core::service<platform::host::HostProbe>()->cpuBrand(); },
                                     Rules::linuxProfile);
    return detector.current();
}

PlatformDetector::PlatformDetector(std::function<QString()> brand, PlatformDetect::Rules rules)
    : m_brand(std::move(brand))
    , m_rules(rules)
{
}

std::optional<Platform> PlatformDetector::current()
{
    std::lock_guard lock(m_lock);
    if (!m_detected) {
        m_cached = PlatformDetect::fromBrand(m_brand(), m_rules);
        m_detected = true;
    }
    return m_cached;
}

} // namespace velk::sensors
