#include "engine/sensors/PlatformDetect.h"

#include <gtest/gtest.h>

using velk::sensors::Platform;
using velk::sensors::PlatformDetect;
using Rules = velk::sensors::PlatformDetect::Rules;

TEST(Platform, RawValuesAreTheCaseNames)
{
    EXPECT_EQ(rawValue(Platform::m1Pro), "m1Pro");
    EXPECT_EQ(velk::sensors::platformFromRawValue("m1Pro"), Platform::m1Pro);
    EXPECT_FALSE(velk::sensors::platformFromRawValue("M1Pro"));
    EXPECT_FALSE(velk::sensors::platformFromRawValue("m4Ultra"));
    for (int i = 0; i < velk::sensors::kPlatformCount; ++i) {
        const auto p = static_cast<Platform>(i);
        EXPECT_EQ(velk::sensors::platformFromRawValue(rawValue(p)), p);
    }
}

TEST(Platform, FamiliesListTheirChipsInOrder)
{
    namespace P = velk::sensors::platforms;
    EXPECT_EQ(P::m1Gen(), (std::vector{Platform::m1, Platform::m1Pro, Platform::m1Max, Platform::m1Ultra}));
    EXPECT_EQ(P::m4Gen(), (std::vector{Platform::m4, Platform::m4Pro, Platform::m4Max}));
    EXPECT_EQ(P::m6Gen(), (std::vector{Platform::m6, Platform::m6Pro, Platform::m6Max}));
    EXPECT_EQ(P::m5Gen().size(), 4u);
    ASSERT_EQ(P::apple().size(), 23u);
    EXPECT_EQ(P::apple().front(), Platform::m1);
    EXPECT_EQ(P::apple().back(), Platform::a18Pro);
    ASSERT_EQ(P::all().size(), 24u);
    EXPECT_EQ(P::all().back(), Platform::intel);
    EXPECT_TRUE(std::equal(P::apple().begin(), P::apple().end(), P::all().begin()));
}

TEST(PlatformDetect, ReadsTheMakersBrandTexts)
{
    const std::vector<std::pair<const char*, Platform>> brands{
        {"Apple M1 Pro", Platform::m1Pro},     {"Apple M2 Ultra", Platform::m2Ultra}, {"Apple M3 Max", Platform::m3Max},
        {"Apple M4 Ultra", Platform::m4},      {"Apple M6 Ultra", Platform::m6},      {"Apple M5", Platform::m5},
        {"Apple M5 Ultra", Platform::m5Ultra}, {"Apple M4 Max", Platform::m4Max},     {"Apple M6 Pro", Platform::m6Pro},
        {"Apple A18 Pro", Platform::a18Pro},   {"Apple M1 Max Pro", Platform::m1Max},
        {"Intel(R) Core(TM) i9-9980HK CPU @ 2.40GHz", Platform::intel}, {"GENUINE INTEL", Platform::intel},
    };
    for (const auto& [brand, chip] : brands) {
        EXPECT_EQ(PlatformDetect::fromBrand(brand, Rules::macProfile), chip) << brand;
        EXPECT_EQ(PlatformDetect::fromBrand(brand, Rules::linuxProfile), chip) << brand;
    }
}

TEST(PlatformDetect, OtherBrandsAreAnM4OnlyOnTheMakersSystems)
{
    // This machine's brand, an empty one, an unknown chip of the maker, and
    // a brand that merely holds "m1" and "max".
    for (const char* brand : {"AMD EPYC", "AMD EPYC 7763 64-Core Processor", "", "Apple M7", "Ampere Altra Max M128-30"}) {
        EXPECT_EQ(PlatformDetect::fromBrand(brand, Rules::macProfile), brand == std::string("Ampere Altra Max M128-30")
                                                                            ? Platform::m1Max
                                                                            : Platform::m4)
            << brand;
        EXPECT_FALSE(PlatformDetect::fromBrand(brand, Rules::linuxProfile)) << brand;
    }
}

TEST(PlatformDetect, ReadsTheBrandOnce)
{
    int reads = 0;
    velk::sensors::PlatformDetector detector(
        [&reads] {
            ++reads;
            return QStringLiteral("AMD EPYC");
        },
        Rules::linuxProfile);
    EXPECT_FALSE(detector.current());
    EXPECT_FALSE(detector.current());
    EXPECT_EQ(reads, 1);

    velk::sensors::PlatformDetector mac([] { return QStringLiteral("Apple M2 Pro"); }, Rules::macProfile);
    EXPECT_EQ(mac.current(), Platform::m2Pro);
}
