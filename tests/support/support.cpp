// Test helpers are header-only; this file gives the support library a body.
namespace testsupport {
}
