# Checks the metainfo as software centres read it: beside the desktop entry its launchable
# names, in a tree laid out as the install lays them out. Screenshots are not fetched.
#   cmake -DAPPSTREAMCLI=... -DDESKTOP=... -DMETAINFO=... -DTREE=<scratch folder> -P CheckMetainfo.cmake
file(REMOVE_RECURSE ${TREE})
file(COPY ${DESKTOP} DESTINATION ${TREE}/share/applications)
file(COPY ${METAINFO} DESTINATION ${TREE}/share/metainfo)
execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net --pedantic ${TREE}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli found faults in ${METAINFO}")
endif()
