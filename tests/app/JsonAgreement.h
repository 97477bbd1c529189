#pragma once

#include <nlohmann/json.hpp>

#include <string>

// Checks, field by field, that a /json document says what the text report of the same run
// says: the product, the stage codes, every system library and product file row, the
// configuration lists and every copied trace line. The report is read as support reads it.
void ExpectJsonAgreesWithReport(const std::string& report, const nlohmann::json& json);
