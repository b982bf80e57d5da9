# Animation files other than GIF: the contract their writers keep. Uses base/.

set(SOURCES)
