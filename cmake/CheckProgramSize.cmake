# Fails when a program outgrows the weight the Doctor is held to (400 KiB): it is copied to
# every desktop and started by management tools thousands of times.
# Run as: cmake -DLIMIT=<bytes> -DPROGRAMS="<file>;<file>" -P CheckProgramSize.cmake
foreach(program IN LISTS PROGRAMS)
    if(NOT EXISTS "${program}")
        message(FATAL_ERROR "No program '${program}'")
    endif()
    file(SIZE "${program}" size)
    if(size GREATER LIMIT)
        message(SEND_ERROR "${program}: ${size} bytes, more than ${LIMIT}")
    else()
        message(STATUS "${program}: ${size} bytes (at most ${LIMIT})")
    endif()
endforeach()
