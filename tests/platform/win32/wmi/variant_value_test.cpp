#include "platform/win32/wmi/variant_value.h"

#include <gtest/gtest.h>

#include "platform/run_time_error.h"

namespace brask {
namespace {

// A VARIANT that clears itself.
struct Variant {
  VARIANT value;
  Variant() { VariantInit(&value); }
  ~Variant() { VariantClear(&value); }
};

TEST(VariantValue, WholeNumbersOfEveryIntegerType) {
  const struct {
    VARTYPE type;
    LONGLONG stored;
    CIMTYPE cimType;
    std::int64_t expected;
  } cases[] = {
      {VT_I1, -5, CIM_SINT8, -5},
      {VT_UI1, 200, CIM_UINT8, 200},
      {VT_I2, -300, CIM_SINT16, -300},
      {VT_UI2, 65535, CIM_UINT16, 65535},
      {VT_I4, 7036, CIM_UINT16, 7036},
      {VT_I4, -2, CIM_SINT32, -2},
      {VT_I4, -1073741823, CIM_UINT32, 3221225473},  // WMI's uint32 in a signed VARIANT
      {VT_UI4, 4000000000, CIM_UINT32, 4000000000},
      {VT_INT, -9, CIM_SINT32, -9},
      {VT_UINT, 9, CIM_UINT32, 9},
      {VT_I8, -5000000000, CIM_SINT64, -5000000000},
      {VT_UI8, 5000000000, CIM_UINT64, 5000000000},
  };
  for (const auto& c : cases) {
    Variant v;
    V_VT(&v.value) = c.type;
    switch (c.type) {
      case VT_I1:
        V_I1(&v.value) = static_cast<CHAR>(c.stored);
        break;
      case VT_UI1:
        V_UI1(&v.value) = static_cast<BYTE>(c.stored);
        break;
      case VT_I2:
        V_I2(&v.value) = static_cast<SHORT>(c.stored);
        break;
      case VT_UI2:
        V_UI2(&v.value) = static_cast<USHORT>(c.stored);
        break;
      case VT_I4:
        V_I4(&v.value) = static_cast<LONG>(c.stored);
        break;
      case VT_UI4:
        V_UI4(&v.value) = static_cast<ULONG>(c.stored);
        break;
      case VT_INT:
        V_INT(&v.value) = static_cast<INT>(c.stored);
        break;
      case VT_UINT:
        V_UINT(&v.value) = static_cast<UINT>(c.stored);
        break;
      case VT_I8:
        V_I8(&v.value) = c.stored;
        break;
      default:
        V_UI8(&v.value) = static_cast<ULONGLONG>(c.stored);
        break;
    }
    EXPECT_EQ(propertyValue(v.value, c.cimType), PropertyValue{c.expected})
        << "VARTYPE " << c.type << " holding " << c.stored;
  }
}

TEST(VariantValue, TextNullAndEmpty) {
  Variant text;
  V_VT(&text.value) = VT_BSTR;
  V_BSTR(&text.value) = SysAllocString(L"Service Control Manager");
  EXPECT_EQ(propertyValue(text.value, CIM_STRING), PropertyValue{L"Service Control Manager"});

  Variant nullText;
  V_VT(&nullText.value) = VT_BSTR;
  V_BSTR(&nullText.value) = nullptr;
  EXPECT_EQ(propertyValue(nullText.value, CIM_STRING), PropertyValue{L""});

  Variant missing;
  V_VT(&missing.value) = VT_NULL;
  EXPECT_EQ(propertyValue(missing.value, CIM_STRING), PropertyValue{});

  Variant empty;
  EXPECT_EQ(propertyValue(empty.value, CIM_EMPTY), PropertyValue{});
}

TEST(VariantValue, AnUnsignedValueBeyondTheSignedRangeStaysExactAsText) {
  Variant v;
  V_VT(&v.value) = VT_UI8;
  V_UI8(&v.value) = 18446744073709551615ULL;
  EXPECT_EQ(propertyValue(v.value, CIM_UINT64), PropertyValue{L"18446744073709551615"});
}

TEST(VariantValue, OtherTypesAreTurnedIntoTextOrFailAsARunTimeError) {
  Variant number;
  V_VT(&number.value) = VT_R8;
  V_R8(&number.value) = 2.5;
  const PropertyValue text = propertyValue(number.value, CIM_REAL64);
  ASSERT_TRUE(std::holds_alternative<std::wstring>(text));
  EXPECT_EQ(std::get<std::wstring>(text).substr(0, 1), L"2");

  Variant array;
  V_VT(&array.value) = VT_ARRAY | VT_BSTR;
  V_ARRAY(&array.value) = SafeArrayCreateVector(VT_BSTR, 0, 2);
  try {
    propertyValue(array.value, CIM_STRING | CIM_FLAG_ARRAY);
    ADD_FAILURE() << "an array was read as a value";
  } catch (const RunTimeError& error) {
    EXPECT_LT(error.code(), 0) << "an HRESULT, got " << error.code();
    EXPECT_FALSE(error.description().empty());
  }
}

}  // namespace
}  // namespace brask
