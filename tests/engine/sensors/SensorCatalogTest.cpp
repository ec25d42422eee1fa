#include "engine/sensors/SensorCatalog.h"

#include <algorithm>
#include <gtest/gtest.h>

using velk::sensors::Platform;
using velk::sensors::Sensor;
using velk::sensors::SensorGroup;
using velk::sensors::SensorType;

namespace {

bool survives(const Sensor& row, Platform chip)
{
    return std::find(row.platforms.begin(), row.platforms.end(), chip) != row.platforms.end();
}

const Sensor* rowFor(const QString& key, Platform chip)
{
    for (const Sensor& row : velk::sensors::sensorsCatalog()) {
        if (row.key == key && survives(row, chip))
            return &row;
    }
    return nullptr;
}

} // namespace

TEST(SensorCatalog, ControllerCatalogAddsUp)
{
    const auto& rows = velk::sensors::sensorsCatalog();
    ASSERT_EQ(rows.size(), 245u);
    EXPECT_EQ(rows.front().key, "TA%P");
    EXPECT_EQ(rows.front().name, "Ambient %");
    EXPECT_EQ(rows.back().key, "PBLR");
    const auto count = [&rows](auto pred) { return std::count_if(rows.begin(), rows.end(), pred); };
    EXPECT_EQ(count([](const Sensor& s) { return s.type == SensorType::temperature; }), 193);
    EXPECT_EQ(count([](const Sensor& s) { return s.type == SensorType::voltage; }), 15);
    EXPECT_EQ(count([](const Sensor& s) { return s.type == SensorType::current; }), 7);
    EXPECT_EQ(count([](const Sensor& s) { return s.type == SensorType::power; }), 30);
    EXPECT_EQ(count([](const Sensor& s) { return s.average; }), 142);
    EXPECT_EQ(count([](const Sensor& s) {
                  return s.average && (s.type != SensorType::temperature
                                       || (s.group != SensorGroup::CPU && s.group != SensorGroup::GPU));
              }),
              0);

    std::vector<std::size_t> patterned;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].key.toUtf8().size(), 4) << rows[i].key.toStdString();
        EXPECT_EQ(rows[i].value, 0);
        EXPECT_FALSE(rows[i].isComputed);
        if (rows[i].key.contains(u'%'))
            patterned.push_back(i + 1);
    }
    EXPECT_EQ(patterned, (std::vector<std::size_t>{1, 2, 3, 14, 15, 26, 27, 28, 29, 196}));
    EXPECT_EQ(&rows, &velk::sensors::sensorsCatalog());
}

TEST(SensorCatalog, RowsSurviveOnlyOnTheirChips)
{
    EXPECT_TRUE(rowFor("Tg0G", Platform::m4));
    EXPECT_TRUE(rowFor("Tg0H", Platform::m4));
    EXPECT_FALSE(rowFor("Tg1U", Platform::m4));
    for (const Platform chip : {Platform::m4Pro, Platform::m4Max}) {
        EXPECT_FALSE(rowFor("Tg0G", chip));
        EXPECT_TRUE(rowFor("Tg1k", chip));
    }
    for (const Platform chip : velk::sensors::platforms::m4Gen()) {
        for (const char* key : {"Tg0K", "Tg0L", "Tg0d", "Tg0e", "Tg0j", "Tg0k"})
            EXPECT_TRUE(rowFor(key, chip)) << key;
    }
    for (const Sensor& row : velk::sensors::sensorsCatalog()) {
        if (row.platforms == std::vector{Platform::intel}) {
            for (const Platform chip : velk::sensors::platforms::apple()) {
                EXPECT_FALSE(survives(row, chip));
            }
        }
        if (row.platforms == velk::sensors::platforms::apple()) {
            EXPECT_FALSE(survives(row, Platform::intel));
        }
    }
    // One key, different cores on different chips.
    EXPECT_EQ(rowFor("Tp09", Platform::m1)->name, "CPU efficiency core 1");
    EXPECT_EQ(rowFor("Tp09", Platform::m2Max)->name, "CPU performance core 3");
    EXPECT_EQ(rowFor("Tp09", Platform::m6)->name, "CPU super core 3");
}

TEST(SensorCatalog, HidCatalogNamesProductPatterns)
{
    const auto& rows = velk::sensors::hidSensorsCatalog();
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows.front().key, "pACC MTR Temp Sensor%");
    EXPECT_EQ(rows.back().name, "Disk %s");
    EXPECT_EQ(rows.back().group, SensorGroup::GPU);
    for (const Sensor& row : rows) {
        EXPECT_EQ(row.type, SensorType::temperature);
        EXPECT_EQ(row.platforms, velk::sensors::platforms::all());
        EXPECT_FALSE(row.average);
    }
}
