# The grid control's sources. The same list is compiled into every library that carries a
# grid; each such library builds with hidden visibility, so its grid classes stay its own.
# A library other than Orvesk names its own window class and resource module, e.g.
#   target_compile_definitions(Tavrin PRIVATE GRIDCTRL_CLASSNAME="TavrinPredTaskGridCtrl"
#                              GRIDCTRL_MODULE=Tavrin)
# and compiles the sources with pc_system_charset (their texts are code page 936).
set(GRIDCTRL_INCLUDE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(GRIDCTRL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GridHooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridSizeArray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCellBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCellCombo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlSaveLoad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlPrintDC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlPreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataVSame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCellVSame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DlgComboChoice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlItems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlScroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlFocus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlTask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlTaskMouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlTips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlMouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlRowMove.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlDrop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridDropTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TitleTip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceEditCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceEditKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridDateTimeCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridEditors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridMenuRes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridRes.cpp
)

# The predecessor additions (default cells, virtual mode, the owner's veto of text changes,
# column cell types, styled column sizing, the predecessor row hook): compiled only into the
# library that defines GRIDCTRL_PREDTASK for its build (the task library).
set(GRIDCTRL_PREDTASK_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GridDefaultCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlPredTask.cpp
)
