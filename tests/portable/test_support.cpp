#include "test_support.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

TallRun MakeTallOutlet(double height, double building, double diameter, double velocityOrDryFlow,
                       bool flowIsVelocity, double temperature, double moisture) {
    OutletInputs in{};
    ResetTallOutletInputs(in);
    TallRun t(in.tall);
    t.no1Standard = 12;
    t.tallOutletHeight = height;
    t.tallBuildingHeight = building;
    t.outletDiameter = diameter;
    t.outletDirection = DirectionUpward;
    t.gasTemperature = temperature;
    t.moisture = moisture;
    t.outletToBoundary = 0;
    t.buildingToBoundary = 0;
    if (flowIsVelocity)
        t.exitVelocity = velocityOrDryFlow;
    else
        t.dryFlow = velocityOrDryFlow;
    return t;
}

std::string Repeated(const std::string &text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

ScratchDirectory::ScratchDirectory() {
    namespace fs = std::filesystem;
    previous_ = fs::current_path().string();
    std::random_device random;
    fs::path dir = fs::temp_directory_path() / ("kamorte-test-" + std::to_string(random()));
    fs::create_directories(dir);
    path_ = dir.string();
    fs::current_path(dir);
}

ScratchDirectory::~ScratchDirectory() {
    namespace fs = std::filesystem;
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void ScratchDirectory::Write(const std::string &name, const std::string &content) const {
    std::FILE *file = std::fopen(Path(name).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

std::string ScratchDirectory::Path(const std::string &name) const {
    return (std::filesystem::path(path_) / name).string();
}

std::string FileBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
