#include "main/services/ServiceCatalog.h"

#include <gtest/gtest.h>

TEST(ServiceCatalog, CursorWalksEveryEntryOnceThenStays) {
    ServiceCatalog& catalog = ProgramServiceCatalog();
    ClearServiceEntries(catalog);
    catalog.services = {{"Alpha", "Alpha Service", 4}, {"Beta", "Beta Service", 1}};
    EXPECT_EQ(CurrentServiceName(), "");  // before the first entry
    EXPECT_EQ(CurrentServiceState(), 0u);
    ASSERT_EQ(NextService(), 1);
    EXPECT_EQ(CurrentServiceName(), "Alpha");
    EXPECT_EQ(CurrentServiceState(), 4u);
    ASSERT_EQ(NextService(), 1);
    EXPECT_EQ(CurrentServiceDisplayName(), "Beta Service");
    EXPECT_EQ(NextService(), 0);
    EXPECT_EQ(NextService(), 0);
    EXPECT_EQ(CurrentServiceName(), "");
    ClearServiceEntries(catalog);
    EXPECT_EQ(NextService(), 0);
}

TEST(ServiceCatalog, MissingConfigurationReadsAsEmptyAndMinusOne) {
    ProgramServiceCatalog().configuration = ServiceConfiguration{};
    EXPECT_EQ(ServiceBinaryPath(), "");
    EXPECT_EQ(ServiceStartType(), -1);
    EXPECT_EQ(ServiceType(), -1);
}
