# X11 tests of the tweak editor: the real program over the real file store.
dialtop_add_x11_test(tweak_editor ${DIALTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/tweak_editor.py)
