#include "tests/foods/FoodsTestSupport.h"

TDataModuleFoods& FoodsTest::foods()
{
    if (!module_)
        module_ = std::make_unique<TDataModuleFoods>("data");
    return *module_;
}

std::vector<std::int64_t> FoodsTest::numbers(RecordSet& set, const std::string& field)
{
    std::vector<std::int64_t> values;
    const Field& column = set.fieldByName(field);
    for (int row = 0; row < set.recordCount(); ++row) {
        const Value value = set.valueAt(row, column);
        values.push_back(std::holds_alternative<std::int64_t>(value) ? std::get<std::int64_t>(value)
                                                                      : static_cast<std::int64_t>(std::get<double>(value)));
    }
    return values;
}
