# What the editor's dialogs (header, choice, options, CSV preview) need beyond the editor's
# core and the Qt layer of the platform.
set(KVR_EDITOR_DIALOG_DEPS kvr_app_core)
set(KVR_EDITOR_DIALOG_TEST_DEPS kvr_db_testsupport)
