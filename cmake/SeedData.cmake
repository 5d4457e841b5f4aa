# cmake -DSOURCE=<data dir> -DDEST=<program dir> -P SeedData.cmake
cmake_minimum_required(VERSION 3.25)
# Data files are the learner's once seeded (their history, their edited database) and are
# never overwritten. The read-me is the program's own document: it follows the source.
set(program_documents "Readme.txt")
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(rel ${files})
    if(rel STREQUAL "CMakeLists.txt" OR rel STREQUAL "README.md")
        continue()
    endif()
    if(rel IN_LIST program_documents)
        file(COPY_FILE ${SOURCE}/${rel} ${DEST}/${rel} ONLY_IF_DIFFERENT)
    elseif(NOT EXISTS ${DEST}/${rel})
        get_filename_component(dir ${DEST}/${rel} DIRECTORY)
        file(MAKE_DIRECTORY ${dir})
        file(COPY_FILE ${SOURCE}/${rel} ${DEST}/${rel})
    endif()
endforeach()
