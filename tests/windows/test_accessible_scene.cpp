// A scene window's accessible object outlives nothing it points at: a screen
// reader may keep its reference after the window has gone, and every call
// must then fail cleanly rather than read the freed window. Run under Wine,
// in one process, with the object taken as a screen reader takes it
// (WM_GETOBJECT, then ObjectFromLresult).
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "runtime/win32/child_ids.h"
#include "runtime/win32/scene_window.h"
#include "scenes/catalogue.h"

#include <doctest/doctest.h>
#include <oleacc.h>

using namespace varn;
using namespace varn::win32;

TEST_CASE("the street's accessible object answers while its window lives, and fails after") {
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    REQUIRE(SceneWindow::RegisterClasses(GetModuleHandleW(nullptr)).ok);
    GdiResources gdi(96);
    const Scene& street = *scenes::All()[1];
    REQUIRE(street.id == SceneId::Form2);
    std::unique_ptr<SceneWindow> window;
    REQUIRE(SceneWindow::Create(
                street, gdi, [](SceneId, const ClickAction&) {}, [] {}, window)
                .ok);

    const LRESULT answer =
        SendMessageW(window->Handle(), WM_GETOBJECT, 0, LPARAM(LONG(OBJID_CLIENT)));
    REQUIRE(answer > 0);
    IAccessible* object = nullptr;
    REQUIRE(SUCCEEDED(
        ObjectFromLresult(answer, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object))));
    LONG count = 0;
    CHECK(object->get_accChildCount(&count) == S_OK);
    CHECK(count == 5); // the marker, the driveway button and three labels
    BSTR name = nullptr;
    CHECK(object->get_accName(ChildId(4), &name) == S_OK); // "512"
    CHECK(std::wstring(name) == L"512");
    SysFreeString(name);
    CHECK(object->get_accName(ChildId(6), &name) == E_INVALIDARG);
    REQUIRE(window->SetCaption("Label3", L"This is You.").ok);
    CHECK(object->get_accName(ChildId(3), &name) == S_OK);
    CHECK(std::wstring(name) == L"This is You.");
    SysFreeString(name);

    window.reset(); // the window and everything it held are gone
    VARIANT role;
    VariantInit(&role);
    LONG left, top, width, height;
    CHECK(object->get_accChildCount(&count) == RPC_E_DISCONNECTED);
    CHECK(object->get_accName(ChildId(3), &name) == RPC_E_DISCONNECTED);
    CHECK(object->get_accRole(ChildId(1), &role) == RPC_E_DISCONNECTED);
    CHECK(object->accLocation(&left, &top, &width, &height, ChildId(3)) == RPC_E_DISCONNECTED);
    CHECK(object->accHitTest(10, 10, &role) == RPC_E_DISCONNECTED);
    CHECK(object->accDoDefaultAction(ChildId(1)) == RPC_E_DISCONNECTED);
    CHECK(object->Release() == 0); // the last reference: the object goes too
    CoUninitialize();
}
