#include "win/registry_edit_lock.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win/io_error.hpp"

namespace kestrune::win {
namespace {

// A name of the test's own, so the program's runs in the same session never wait for it.
std::wstring test_lock_name(std::wstring_view test) {
    return L"Local\\KestruneCLI.RegistryEditTest." + std::to_wstring(GetCurrentProcessId()) + L"." + std::wstring(test);
}

TEST(RegistryEditLock, OneHolderAtATimeAndTheSameThreadAgain) {
    const std::wstring name = test_lock_name(L"one");
    std::atomic<bool> other_holds = false;
    std::thread other;
    {
        auto held = RegistryEditLock::acquire(name);
        ASSERT_TRUE(held) << held.error().message();
        auto again = RegistryEditLock::acquire(name);  // an edit made of smaller edits
        ASSERT_TRUE(again) << again.error().message();

        other = std::thread([&] {
            auto lock = RegistryEditLock::acquire(name);
            other_holds = lock.has_value();
        });
        Sleep(200);
        EXPECT_FALSE(other_holds);
    }
    other.join();  // both owners released it, so the other thread got it
    EXPECT_TRUE(other_holds);
}

TEST(RegistryEditLock, AHolderThatEndedWithoutReleasingLeavesItToTheNext) {
    const std::wstring name = test_lock_name(L"abandoned");
    UniqueHandle taken;
    // Taken by a thread that ends without releasing it, as a run killed during its edit would.
    std::thread([&] { taken = UniqueHandle(CreateMutexW(nullptr, TRUE, name.c_str())); }).join();
    ASSERT_TRUE(taken);
    const auto lock = RegistryEditLock::acquire(name);
    EXPECT_TRUE(lock) << lock.error().message();
}

TEST(RegistryEditLock, AFailureNamesTheLockAndTheCause) {
    const std::wstring name = test_lock_name(L"taken");
    // An object of another kind under the name: the mutex can be neither created nor opened.
    const UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    ASSERT_TRUE(event);
    const auto lock = RegistryEditLock::acquire(name);
    ASSERT_FALSE(lock);
    EXPECT_EQ(lock.error().kind(), RegistryError::Kind::EditLock);
    EXPECT_EQ(lock.error().code(), hresult_from_win32(ERROR_INVALID_HANDLE));
    EXPECT_EQ(lock.error().message(), "cannot create the registry edit lock Local\\KestruneCLI.RegistryEditTest." +
                                          std::to_string(GetCurrentProcessId()) + ".taken: " +
                                          IoError::from_code(ERROR_INVALID_HANDLE).message());
}

}  // namespace
}  // namespace kestrune::win
