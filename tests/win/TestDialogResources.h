// Ids of the dialog template that the shell tests carry in their own
// resources; shared by the resource script and the tests.
#ifndef BRIXOL_TESTS_SHELL_TEST_DIALOG_RESOURCES_H
#define BRIXOL_TESTS_SHELL_TEST_DIALOG_RESOURCES_H

#define IDD_TEST_DIALOG 100
#define IDC_TEST_EDIT 101

#endif
