# The grid's tree column, button cells and task-row cells, and the task rows built of them.
# Compiled together with the grid sources (GridCtrl_src/GridSources.cmake) into every
# library that carries a task grid.
set(GRIDCELLS_INCLUDE_DIRS
  ${CMAKE_CURRENT_LIST_DIR}/GridControl_BaseBtn
  ${CMAKE_CURRENT_LIST_DIR}/GridBtnCell_src
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src
  ${CMAKE_CURRENT_LIST_DIR}/GridTreeBtnCell_src
  ${CMAKE_CURRENT_LIST_DIR}/GridVirtCell_src
)
set(GRIDCELLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GridControl_BaseBtn/BtnDataBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridControl_BaseBtn/GridBtnLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridControl_BaseBtn/GridCellSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridControl_BaseBtn/GridBtnCellBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridControl_BaseBtn/GridBtnCellDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridBtnCell_src/GridBtnCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridBtnCell_src/GridBtnCellCombo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridBtnCell_src/GetNumberDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridBtnCell_src/GetNumberDlgRes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src/TreeColumn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src/TreeColumnOutline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src/TreeColumnLevels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src/GridTreeCellBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src/GridTreeCellDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColumn_src/GridTreeCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridTreeBtnCell_src/GridTreeBtnCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridVirtCell_src/GridCellNumber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridVirtCell_src/GridVirtHooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridVirtCell_src/GridBmpCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridVirtCell_src/GridDlgCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridVirtCell_src/GridSpinCell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrl_src/GridCtrlTaskRows.cpp
)
